// s1ordo-gui: the converter's window.
#include <QApplication>

#include "app/desktop.h"
#include "app/window/converter_window.h"
#include "app/window/message_boxes.h"
#include "run/session.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  s1ordo::QtMessageBoxes boxes;
  auto env = s1ordo::NewPlatformEnv();
  auto desktop = s1ordo::NewPlatformDesktop();
  s1ordo::Session session(*env);
  auto ahead_env = s1ordo::NewPlatformEnv();  // the second thread's
  session.ahead_env = ahead_env.get();
  s1ordo::ConverterWindow window(session, *desktop, boxes);
  if (!window.logic().StartUp()) return 3;
  window.show();
  return app.exec();
}
