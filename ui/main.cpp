#include <QApplication>
#include <QIcon>

#include "ui/app_controller.h"
#include "ui/message_presenter.h"
#include "ui/program_icon.h"
#include "ui/single_instance.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Corvane");
  QApplication::setApplicationVersion("1.25");
  QApplication::setWindowIcon(corvane::ProgramIcon());
  QApplication::setQuitOnLastWindowClosed(false);

  corvane::SingleInstance instance;
  if (corvane::ReportIfAlreadyRunning(instance)) return 0;
  corvane::AppController controller;
  // A second start brings this copy's window forward.
  QObject::connect(&instance, &corvane::SingleInstance::activationRequested, &controller,
                   &corvane::AppController::bringToFront);
  QObject::connect(&controller, &corvane::AppController::exitRequested, &app, &QApplication::quit,
                   Qt::QueuedConnection);
  controller.start();
  return app.exec();
}
