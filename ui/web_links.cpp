#include "ui/web_links.h"

#include <QDesktopServices>
#include <QUrl>
#include <QUrlQuery>

#include "ui/message_presenter.h"

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

QString BrowserFailedMessage(const QString& url) {
  return "No web browser could be started. Please open this address in your browser:\n\n" + url;
}

void OpenWebPage(const QString& url, QWidget* parent) {
  const bool opened = Opener() ? Opener()(url) : QDesktopServices::openUrl(QUrl(url));
  if (!opened) ShowMessage(parent, BrowserFailedMessage(url), MessageIcon::Information);
}

void SetWebPageOpenerForTesting(WebPageOpener opener) { Opener() = std::move(opener); }

}  // namespace corvane
