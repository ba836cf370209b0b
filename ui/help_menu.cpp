#include "ui/help_menu.h"

#include <QMainWindow>
#include <QMenuBar>

#include "ui/about_box.h"
#include "ui/web_links.h"

namespace corvane {

void AddHelpMenu(QMainWindow* window, bool withSeparators) {
  QMenu* help = window->menuBar()->addMenu("&Help");
  QAction* online = help->addAction("&Online Help");
  online->setObjectName("mnuOnline");
  QObject::connect(online, &QAction::triggered, window, [window] { OpenWebPage(HelpPageUrl(), window); });
  QAction* visit = help->addAction("&Visit Us Online");
  visit->setObjectName("mnuVisit");
  QObject::connect(visit, &QAction::triggered, window, [window] { OpenWebPage(HomePageUrl(), window); });
  if (withSeparators) help->addSeparator();
  QAction* update = help->addAction("Check for Software &Update");
  update->setObjectName("mnuUpdate");
  QObject::connect(update, &QAction::triggered, window, [window] { OpenWebPage(DownloadPageUrl(), window); });
  if (withSeparators) help->addSeparator();
  QAction* about = help->addAction("&About Software");
  about->setObjectName("mnuAbout");
  QObject::connect(about, &QAction::triggered, window, [window] { ShowAboutBox(window); });
}

}  // namespace corvane
