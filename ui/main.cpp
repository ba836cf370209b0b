#include <QApplication>
#include <QIcon>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "corvane_version.h"

#include "ui/app_controller.h"
#include "ui/message_presenter.h"
#include "ui/program_icon.h"
#include "ui/single_instance.h"
#include "ui/window_fonts.h"

namespace {

// While the application starts, Qt's messages are held back: when no display can be reached
// Qt ends the program with an abort and several lines about platform plugins; this says it in
// one line, with the way to run the program without a display, and exits with status 1.
QStringList gStartMessages;

void StartupMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type != QtFatalMsg) {
    gStartMessages << message;
    return;
  }
  std::fprintf(stderr,
               "corvane: no display to show the window on (%s); without one, run it as: xvfb-run -a corvane\n",
               gStartMessages.isEmpty() ? qPrintable(message) : qPrintable(gStartMessages.first()));
  std::fflush(stderr);
  std::_Exit(1);
}

}  // namespace

int main(int argc, char** argv) {
  // Answered before QApplication exists, so it needs no display and opens no window.
  for (int i = 1; i < argc; ++i) {
    if (std::string_view(argv[i]) == "--version") {
      std::printf("corvane %s\n", corvane::kProgramVersion);
      return 0;
    }
  }
  qInstallMessageHandler(StartupMessages);
  QApplication app(argc, argv);
  qInstallMessageHandler(nullptr);
  for (const QString& message : gStartMessages) qWarning("%s", qPrintable(message));
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
  // A chart file given on the command line (the desktop entry's %f) is opened at once.
  const QStringList arguments = QApplication::arguments();
  for (qsizetype i = 1; i < arguments.size(); ++i)
    if (!arguments[i].startsWith("-")) {
      controller.openChartFile(arguments[i]);
      break;
    }
  return app.exec();
}
