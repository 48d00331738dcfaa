#include <QApplication>

#include "app/mainwindow.h"
#include "app/messages.h"
#include "archive/archivestate.h"
#include "base/memory.h"

int main(int argc, char** argv) {
  dosber::usehugepageheap();
  QApplication app(argc, argv);
  app.setApplicationName("dosber");
  // The shared lists and card tables exist before the window.
  dosber::archivestate state;
  dosber::boxmessages messages;
  QStringList arguments = app.arguments();
  arguments.removeFirst();
  dosber::TForm1 window(state, messages, arguments);
  window.show();
  return app.exec();
}
