#pragma once
#include <QString>
#include <functional>

class QWidget;

namespace corvane {

// Host names of the product's web host and of the maker's site.
inline constexpr char kProductHost[] = "https://www.corvane.app";
inline constexpr char kMakerHost[] = "https://www.corvane.org";

QString HelpPageUrl();      // the product's help page
QString DownloadPageUrl();  // the product's download page
QString HomePageUrl();      // the root of the maker's site
// A web search for the given text (the coordinate search of the input form).
QString CoordinateSearchUrl(const QString& searchText);

// Opens an address in the user's browser. When no browser can be started, a message over
// `parent` gives the address, selectable, so that it can be copied into a browser by hand.
void OpenWebPage(const QString& url, QWidget* parent = nullptr);
// The message shown when the address could not be opened.
QString BrowserFailedMessage(const QString& url);

// Tests replace the opener (true: the browser took the address) to see which address
// would have been opened and to play a missing browser.
using WebPageOpener = std::function<bool(const QString&)>;
void SetWebPageOpenerForTesting(WebPageOpener opener);

}  // namespace corvane
