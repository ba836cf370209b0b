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

QString HelpPageUrl() { return QString(kSiteAddress) + "/corvane-help.html"; }
QString DownloadPageUrl() { return QString(kSiteAddress) + "/download-corvane.html"; }
QString HomePageUrl() { return QString(kSiteAddress); }

QString CoordinateSearchUrl(const QString& searchText) {
  QUrl url("https://duckduckgo.com/");
  QUrlQuery query;
  query.addQueryItem("q", searchText);
  url.setQuery(query);
  return url.toString(QUrl::FullyEncoded);
}

QString BrowserFailedMessage() {
  return "No web browser could be started. Please open this address in your browser:";
}

QString ReadableAddress(const QString& url) {
  // Letters and blanks decoded; the characters that would change the address's meaning
  // ("&" or "=" in a query) stay escaped.
  return QUrl(url).toString(QUrl::PrettyDecoded);
}

void OpenWebPage(const QString& url, QWidget* parent) {
  const bool opened = Opener() ? Opener()(url) : QDesktopServices::openUrl(QUrl(url));
  if (!opened) ShowMessageWithAddress(parent, BrowserFailedMessage(), ReadableAddress(url));
}

void SetWebPageOpenerForTesting(WebPageOpener opener) { Opener() = std::move(opener); }

}  // namespace corvane
