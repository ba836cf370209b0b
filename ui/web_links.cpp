#include "ui/web_links.h"

#include <QDesktopServices>
#include <QUrl>

namespace corvane {

namespace {
WebPageOpener& Opener() {
  static WebPageOpener opener;
  return opener;
}
}  // namespace

QString HelpPageUrl() { return QString(kProductHost) + "/corvane-help.html"; }
QString DownloadPageUrl() { return QString(kProductHost) + "/download-corvane.html"; }
QString HomePageUrl() { return QString(kMakerHost); }

void OpenWebPage(const QString& url) {
  if (Opener()) {
    Opener()(url);
    return;
  }
  QDesktopServices::openUrl(QUrl(url));  // the result is deliberately not looked at
}

void SetWebPageOpenerForTesting(WebPageOpener opener) { Opener() = std::move(opener); }

}  // namespace corvane
