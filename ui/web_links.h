#pragma once
#include <QString>
#include <functional>

namespace corvane {

// Host names of the product's web host and of the maker's site.
inline constexpr char kProductHost[] = "https://www.corvane.app";
inline constexpr char kMakerHost[] = "https://www.corvane.org";

QString HelpPageUrl();      // the product's help page
QString DownloadPageUrl();  // the product's download page
QString HomePageUrl();      // the root of the maker's site
// A web search for the given text (the coordinate search of the input form).
QString CoordinateSearchUrl(const QString& searchText);

// Opens an address in the user's browser; failures are ignored. Tests replace the opener
// to see which address would have been opened.
void OpenWebPage(const QString& url);
using WebPageOpener = std::function<void(const QString&)>;
void SetWebPageOpenerForTesting(WebPageOpener opener);

}  // namespace corvane
