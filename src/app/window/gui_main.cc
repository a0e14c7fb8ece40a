// s1ordo-gui: the converter's window.
#include <QApplication>

#include "app/desktop.h"
#include "app/window/converter_window.h"
#include "app/window/message_boxes.h"
#include "app/startup.h"
#include "run/session.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  s1ordo::QtMessageBoxes boxes;
  auto env = s1ordo::NewPlatformEnv();
  auto desktop = s1ordo::NewPlatformDesktop();
  s1ordo::Session session(*env);
  const auto ahead_envs = s1ordo::NewAheadEnvs();
  session.ahead_envs = s1ordo::Pointers(ahead_envs);
  s1ordo::ConverterWindow window(session, *desktop, boxes);
  if (!window.logic().StartUp()) return 3;
  window.show();
  return app.exec();
}
