// s1ordo-gui: the converter's window.
#include <QApplication>
#include <exception>

#include "app/startup.h"
#include "app/window/form1.h"
#include "app/window/message_boxes.h"
#include "app/window/window_ui.h"
#include "helpers/error.h"
#include "run/session.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  s1ordo::QtMessageBoxes boxes;
  auto env = s1ordo::NewPlatformEnv();
  s1ordo::Session session(*env);
  try {
    session.settings.system_folder = s1ordo::ChooseSystemFolder(session.env, "");
  } catch (const s1ordo::Error& e) {
    boxes.Show(nullptr, s1ordo::ShownText(e.Describe()), s1ordo::MessageKind::kError,
               s1ordo::ShownText(s1ordo::ApplicationTitle()));
    return 3;
  }
  s1ordo::Form1 form(session, boxes);
  if (!form.Form_Load()) return 3;
  form.show();
  return app.exec();
}
