#pragma once
#include <QString>
#include <functional>

class QWidget;

namespace corvane {

// The program's web site: every link of the windows leads there (or to a web search).
inline constexpr char kSiteAddress[] = "https://www.corvane.org";

QString HelpPageUrl();      // the product's help page
QString DownloadPageUrl();  // the product's download page
QString HomePageUrl();      // the root of the site
// A web search for the given text (the coordinate search of the input form).
QString CoordinateSearchUrl(const QString& searchText);

// Opens an address in the user's browser. When no browser can be started, a message over
// `parent` gives the address as people read it (percent escapes decoded), selectable and
// with a Copy button, so that it can be put into a browser by hand.
void OpenWebPage(const QString& url, QWidget* parent = nullptr);
// The message shown when the address could not be opened (the address follows it).
QString BrowserFailedMessage();
// The address as a person reads and types it: "München", not "M%C3%BCnchen".
QString ReadableAddress(const QString& url);

// Tests replace the opener (true: the browser took the address) to see which address
// would have been opened and to play a missing browser.
using WebPageOpener = std::function<bool(const QString&)>;
void SetWebPageOpenerForTesting(WebPageOpener opener);

}  // namespace corvane
