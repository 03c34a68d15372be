// Quillmate/VB 3.0: restyles the source code of Visual Basic projects.

#include <QApplication>

#include "shell/mainwindow.h"
#include "shell/startup.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  qm::SetUpApplication(application);
  qm::TQuillmateWindows windows;
  windows.frmMain->show();
  return application.exec();
}
