#pragma once
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// How a search result matched, best first. "Name" covers the place's name and its ASCII
// spelling; "word" means the query began a later word ("york" in "New York").
enum class PlaceMatch : std::uint8_t { ExactName, ExactAlternate, NamePrefix, AlternatePrefix, WordPrefix };

// One place. The texts point into the index that returned it and stay valid while that
// index lives and is not loaded again.
struct PlaceResult {
  std::size_t id = 0;             // position in the place file, for PlaceIndex::place
  std::string_view name;          // UTF-8, as GeoNames writes it ("Munich", "Ashkāsham")
  std::string_view asciiName;     // the same in plain ASCII ("Ashkasham")
  std::string_view matchedName;   // the name or alternate name the query matched ("München")
  std::string_view region;        // first-level division ("Bavaria"); may be empty
  std::string_view country;       // English country name ("Germany")
  std::string_view zoneId;        // IANA zone ("Europe/Berlin")
  double latitude = 0;            // degrees, north positive
  double longitude = 0;           // degrees, east positive
  std::uint32_t population = 0;
  PlaceMatch match = PlaceMatch::ExactName;
};

struct PlaceLoadStatus {
  bool ok = false;
  std::string message;  // why loading failed, ready to show; empty on success
};

// The places of data/places.tsv.gz (see its header line), searchable as the user types.
//
// Search folds the query with FoldForSearch and matches it as a prefix of the folded name,
// ASCII name and alternate names of every place, and of every later word of them. Results
// are ordered by PlaceMatch, then by population (largest first), then by file order
// (country, region, name), except that exact matches on the name or an alternate (former,
// foreign) name of a large place (about 100,000 people or more) come before exact matches
// of smaller places: what people mean by "Bombay" is Mumbai, not the small town that bears
// the name today. Among large places the name comes before the alternate name ("New Delhi"
// is New Delhi before Delhi, which also has that name). A query "name, qualifier" keeps only places whose region or
// country has a word starting with the qualifier ("springfield, il" finds the Springfields
// of Illinois).
//
// Loading builds one text block for all names and one for their folded forms, and a sorted
// array of 12-byte entries (one for each folded name and each later word in it), so a query
// is two binary searches and a scan of the matching entries. Searching is const and may run
// on several threads at once.
class PlaceIndex {
 public:
  PlaceIndex();
  ~PlaceIndex();
  PlaceIndex(PlaceIndex&&) noexcept;
  PlaceIndex& operator=(PlaceIndex&&) noexcept;
  PlaceIndex(const PlaceIndex&) = delete;
  PlaceIndex& operator=(const PlaceIndex&) = delete;

  // Replaces the contents with the places of a gzip-compressed (or plain) place file. On
  // failure the index is left empty and the status says why: a missing or unreadable
  // file, damaged compressed data, or the first malformed line by number.
  PlaceLoadStatus load(const std::filesystem::path& path);

  std::size_t size() const;
  bool empty() const { return size() == 0; }

  // At most `limit` places, best first; nothing for a query that folds to nothing.
  std::vector<PlaceResult> search(std::string_view query, std::size_t limit = 10) const;

  // The place at a position of the file (id < size()), matched on its own name.
  PlaceResult place(std::size_t id) const;

  // Bytes held by the index's arrays, for measuring.
  std::size_t memoryBytes() const;

 private:
  struct Data;
  const Data& Contents() const;  // an empty index after a move
  std::unique_ptr<Data> data_;
};

// Where the place file is looked for, in order: the CORVANE_PLACES environment variable;
// share/corvane/places.tsv.gz beside the folder of the running program (the installed
// layout, bin/../share/corvane); the source tree's data/places.tsv.gz that this build was
// made from.
std::vector<std::filesystem::path> PlacesFileCandidates();

// The explicit path when one is given (even if it does not exist, so that loading it
// reports the problem); otherwise the first candidate that exists, or an empty path.
std::filesystem::path LocatePlacesFile(const std::filesystem::path& explicitPath = {});

// Finds and loads the place file; with no file found, the status lists where it looked.
PlaceLoadStatus LoadPlaces(PlaceIndex& index, const std::filesystem::path& explicitPath = {});

}  // namespace corvane
