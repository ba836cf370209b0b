#include "ui/web_links.h"

#include <QDesktopServices>
#include <QUrl>
#include <QUrlQuery>

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

QString CoordinateSearchUrl(const QString& searchText) {
  QUrl url("https://duckduckgo.com/");
  QUrlQuery query;
  query.addQueryItem("q", searchText);
  url.setQuery(query);
  return url.toString(QUrl::FullyEncoded);
}

void OpenWebPage(const QString& url) {
  if (Opener()) {
    Opener()(url);
    return;
  }
  QDesktopServices::openUrl(QUrl(url));  // the result is deliberately not looked at
}

void SetWebPageOpenerForTesting(WebPageOpener opener) { Opener() = std::move(opener); }

}  // namespace corvane
