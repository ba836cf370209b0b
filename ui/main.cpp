#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <string_view>

#include "corvane_version.h"

#include "ui/app_controller.h"
#include "ui/message_presenter.h"
#include "ui/program_icon.h"
#include "ui/single_instance.h"
#include "ui/window_fonts.h"

int main(int argc, char** argv) {
  // Answered before QApplication exists, so it needs no display and opens no window.
  for (int i = 1; i < argc; ++i) {
    if (std::string_view(argv[i]) == "--version") {
      std::printf("corvane %s\n", corvane::kProgramVersion);
      return 0;
    }
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName("Corvane");
  QApplication::setApplicationVersion(corvane::kProgramVersion);
  QApplication::setWindowIcon(corvane::ProgramIcon());
  QApplication::setQuitOnLastWindowClosed(false);
  corvane::KeepTheDefaultFontProportional();

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
