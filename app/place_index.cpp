#include "app/place_index.h"

#include <zlib.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <limits>
#include <mutex>
#include <system_error>
#include <thread>
#include <unordered_map>
#include <utility>

#include <sys/stat.h>

#include "app/input_file.h"
#include "app/search_fold.h"

namespace corvane {
namespace {

constexpr std::size_t kColumnCount = 9;
constexpr double kCoordinateScale = 1e5;  // coordinates are kept in 1e-5 degree
constexpr std::uint8_t kAlternate = 1;    // Entry::flags: the key is an alternate name
constexpr std::uint8_t kWord = 2;         // Entry::flags: the entry starts at a later word
constexpr std::size_t kSlotLimit = 256;   // name, ASCII name and up to 254 alternates
constexpr std::string_view kDitto = "\"";
// The longest line a place file may hold: three names of up to 64 KiB each (the name, its
// ASCII spelling, the alternate names) with the numbers and the zone beside them.
constexpr std::size_t kMaxPlaceLineBytes = 3 * 65535 + 1024;
constexpr std::size_t kTableLimit = std::numeric_limits<std::uint16_t>::max();

// A place's texts lie one after the other in Data::text: name, ASCII name (left out when it
// is the name), alternates.
struct Place {
  std::uint32_t text;  // offset into Data::text
  std::uint16_t nameLength, asciiLength, alternatesLength;  // asciiLength 0: same as the name
  std::uint16_t region, country, zone;    // positions in the tables
  std::int32_t latitude, longitude;       // 1e-5 degree
  std::uint32_t population;
};

// One searchable start: a folded name, or a later word inside one.
struct Entry {
  std::uint32_t folded;       // offset of the first byte in Data::folded; the key ends at a NUL
  std::uint32_t placeSlot;    // place << 8 | slot (0 name, 1 ASCII name, 2 + n alternate n)
  std::uint8_t restLength;    // bytes from `folded` to the NUL, 255 meaning 255 or more
  std::uint8_t magnitude;     // PopulationMagnitude of the place, to reject candidates early
  std::uint8_t flags;
  std::uint8_t unused = 0;
};
static_assert(sizeof(Entry) == 12);
static_assert(sizeof(Place) == 28);

// Places of about this many people or more count as large in the ranking of exact matches.
constexpr std::uint32_t kLargePlacePopulation = 100000;

// Grows with the population and never decreases: 10 steps per doubling.
std::uint8_t PopulationMagnitude(std::uint32_t population) {
  const double steps = 10.0 * std::log2(static_cast<double>(population) + 1.0);
  return static_cast<std::uint8_t>(std::min(255.0, steps));
}

struct TransparentHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

// Distinct texts of one column (regions, countries, zones), each stored once.
struct TextTable {
  std::vector<std::string> texts;
  std::vector<std::string> folded;  // word-searchable forms, for the qualifier
  std::unordered_map<std::string, std::uint16_t, TransparentHash, std::equal_to<>> ids;
  std::uint16_t last = 0;  // neighbouring lines mostly share region, country and zone

  // The position of a text, added when new; false when the table is full.
  bool Intern(std::string_view text, std::uint16_t& id) {
    if (!texts.empty() && texts[last] == text) {
      id = last;
      return true;
    }
    if (const auto it = ids.find(text); it != ids.end()) {
      id = last = it->second;
      return true;
    }
    if (texts.size() >= kTableLimit) return false;
    id = last = static_cast<std::uint16_t>(texts.size());
    texts.emplace_back(text);
    folded.push_back(FoldForSearch(text));
    ids.emplace(std::string(text), id);
    return true;
  }
};

bool StartsAWord(std::string_view text, std::string_view prefix) {
  for (std::size_t at = 0; at < text.size(); ++at) {
    if ((at == 0 || text[at - 1] == ' ') && text.substr(at).starts_with(prefix)) return true;
  }
  return false;
}

template <typename Number>
bool ParseNumber(std::string_view text, Number& value) {
  if (text.empty()) return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

// The bytes of a gzip (or plain) file, inflated on a second thread one chunk ahead of the
// reader, so that inflating and parsing run side by side.
class ChunkReader {
 public:
  explicit ChunkReader(gzFile file) : file_(file), worker_([this] { Produce(); }) {}
  ~ChunkReader() {
    {
      std::lock_guard lock(mutex_);
      stop_ = true;
    }
    changed_.notify_all();
    worker_.join();
  }
  ChunkReader(const ChunkReader&) = delete;
  ChunkReader& operator=(const ChunkReader&) = delete;

  // The next chunk, swapped into `chunk` (which goes back to be refilled); false at the end
  // of the data or on an error, which `error` then holds.
  bool Next(std::string& chunk, std::string& error) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !full_.empty() || done_; });
    if (full_.empty()) {
      error = error_;
      return false;
    }
    if (chunk.capacity() > 0) free_.push_back(std::move(chunk));
    chunk = std::move(full_.front());
    full_.erase(full_.begin());
    changed_.notify_all();
    return true;
  }

 private:
  static constexpr std::size_t kChunkBytes = 1 << 20;
  static constexpr std::size_t kChunksAhead = 2;

  void Produce() {
    for (;;) {
      std::string chunk;
      {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return stop_ || full_.size() < kChunksAhead; });
        if (stop_) break;
        if (!free_.empty()) {
          chunk = std::move(free_.back());
          free_.pop_back();
        }
      }
      chunk.resize(kChunkBytes);
      const int got = gzread(file_, chunk.data(), static_cast<unsigned>(chunk.size()));
      int code = Z_OK;
      const char* message = gzerror(file_, &code);
      std::lock_guard lock(mutex_);
      if (got < 0 || code != Z_OK) {
        error_ = std::string("its compressed data is damaged (") + message + ")";
        done_ = true;
      } else if (got == 0) {
        done_ = true;
      } else {
        chunk.resize(static_cast<std::size_t>(got));
        full_.push_back(std::move(chunk));
      }
      changed_.notify_all();
      if (done_) break;
    }
  }

  gzFile file_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::string> full_, free_;
  std::string error_;
  bool done_ = false, stop_ = false;
  std::thread worker_;
};

}  // namespace

struct PlaceIndex::Data {
  std::string text;    // names, ASCII names and '|'-separated alternates of all places
  std::string folded;  // folded keys, each ended by a NUL
  std::vector<Place> places;
  std::vector<Entry> entries;  // sorted by the folded text from Entry::folded
  TextTable regions, countries, zones;

  // While loading: the entries in file order, and how many keys begin with each pair of
  // bytes (the buckets of SortEntries).
  std::vector<Entry> unsorted;
  std::vector<std::uint32_t> bucketSizes;

  std::string_view Name(const Place& p) const { return std::string_view(text).substr(p.text, p.nameLength); }
  std::string_view Ascii(const Place& p) const {
    return p.asciiLength == 0 ? Name(p) : std::string_view(text).substr(p.text + p.nameLength, p.asciiLength);
  }
  std::string_view Alternates(const Place& p) const {
    return std::string_view(text).substr(p.text + p.nameLength + p.asciiLength, p.alternatesLength);
  }

  std::string_view Key(const Entry& e) const {
    const char* start = folded.data() + e.folded;
    return {start, e.restLength < 255 ? e.restLength : std::strlen(start)};
  }

  std::string_view SlotText(const Place& p, std::size_t slot) const {
    if (slot == 0) return Name(p);
    if (slot == 1) return Ascii(p);
    std::string_view rest = Alternates(p);
    for (std::size_t n = 2; n < slot; ++n) rest.remove_prefix(std::min(rest.size(), rest.find('|') + 1));
    return rest.substr(0, rest.find('|'));
  }

  std::string ParseLine(std::string_view line);
  void AddKeys(std::uint32_t placeIndex);
  void AddEntry(const Entry& e);
  void SortEntries();
};

// Adds one line of the file; returns what is wrong with it, or nothing.
std::string PlaceIndex::Data::ParseLine(std::string_view line) {
  std::array<std::string_view, kColumnCount> column;
  std::size_t count = 0;
  for (std::size_t start = 0;;) {
    const std::size_t tab = line.find('\t', start);
    if (count == kColumnCount) return "more than " + std::to_string(kColumnCount) + " columns";
    column[count++] = line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start);
    if (tab == std::string_view::npos) break;
    start = tab + 1;
  }
  if (count != kColumnCount) {
    return std::to_string(count) + " columns instead of " + std::to_string(kColumnCount);
  }
  const auto [name, ascii, alternates, region, country, lat, lon, population, zone] = column;
  if (name.empty()) return "no name";
  if (zone.empty()) return "no time zone";
  if (name.size() > 65535 || ascii.size() > 65535 || alternates.size() > 65535) return "a name is too long";
  Place p{};
  double latitude = 0, longitude = 0;
  if (!ParseNumber(lat, latitude) || std::abs(latitude) > 90) return "bad latitude '" + std::string(lat) + "'";
  if (!ParseNumber(lon, longitude) || std::abs(longitude) > 180) return "bad longitude '" + std::string(lon) + "'";
  if (!ParseNumber(population, p.population)) return "bad population '" + std::string(population) + "'";
  // A column of a single '"' repeats the line above.
  const bool repeats = region == kDitto || country == kDitto || zone == kDitto;
  if (repeats && places.empty()) return "'\"' on the first line";
  if (region == kDitto) {
    p.region = places.back().region;
  } else if (!regions.Intern(region, p.region)) {
    return "too many regions";
  }
  if (country == kDitto) {
    p.country = places.back().country;
  } else if (!countries.Intern(country, p.country)) {
    return "too many countries";
  }
  if (zone == kDitto) {
    p.zone = places.back().zone;
  } else if (!zones.Intern(zone, p.zone)) {
    return "too many zones";
  }
  if (text.size() + line.size() > std::numeric_limits<std::uint32_t>::max() / 2) return "the file is too large";
  p.latitude = static_cast<std::int32_t>(std::lround(latitude * kCoordinateScale));
  p.longitude = static_cast<std::int32_t>(std::lround(longitude * kCoordinateScale));
  p.text = static_cast<std::uint32_t>(text.size());
  p.nameLength = static_cast<std::uint16_t>(name.size());
  text.append(name);
  if (ascii != name) {
    p.asciiLength = static_cast<std::uint16_t>(ascii.size());
    text.append(ascii);
  }
  p.alternatesLength = static_cast<std::uint16_t>(alternates.size());
  text.append(alternates);
  places.push_back(p);
  AddKeys(static_cast<std::uint32_t>(places.size() - 1));
  return {};
}

// Folds each name of a place once (a spelling that folds like an earlier one adds nothing)
// and adds an entry for its start and for the start of every later word.
void PlaceIndex::Data::AddKeys(std::uint32_t placeIndex) {
  const Place& p = places[placeIndex];
  const std::uint8_t magnitude = PopulationMagnitude(p.population);
  struct Key {
    std::uint32_t start, length;
  };
  std::array<Key, kSlotLimit> keys;
  std::size_t keyCount = 0;
  std::string_view alternates = Alternates(p);
  for (std::size_t slot = 0; slot < kSlotLimit; ++slot) {
    std::string_view source;
    if (slot == 0) {
      source = Name(p);
    } else if (slot == 1) {
      if (p.asciiLength == 0) continue;
      source = Ascii(p);
    } else {
      if (alternates.empty()) break;
      const std::size_t bar = alternates.find('|');
      source = alternates.substr(0, bar);
      alternates.remove_prefix(bar == std::string_view::npos ? alternates.size() : bar + 1);
    }
    const auto start = static_cast<std::uint32_t>(folded.size());
    AppendFoldedForSearch(folded, source);
    const std::size_t length = folded.size() - start;
    const bool repeated = length == 0 || std::any_of(keys.begin(), keys.begin() + keyCount, [&](const Key& k) {
                            return k.length == length && folded.compare(k.start, length, folded, start, length) == 0;
                          });
    if (repeated) {
      folded.resize(start);
      continue;
    }
    folded.push_back('\0');
    keys[keyCount++] = {start, static_cast<std::uint32_t>(length)};
    const std::uint8_t kind = slot >= 2 ? kAlternate : 0;
    // Later words are searchable in the name and ASCII name; in alternate names, which
    // often wrap the name in other words ("Lungsod ng München"), only the start is.
    const std::size_t wordsUpTo = slot >= 2 ? 1 : length;
    for (std::size_t at = 0; at < wordsUpTo; ++at) {
      if (at > 0 && folded[start + at - 1] != ' ') continue;
      AddEntry({start + static_cast<std::uint32_t>(at), placeIndex << 8 | static_cast<std::uint32_t>(slot),
                static_cast<std::uint8_t>(std::min<std::size_t>(255, length - at)), magnitude,
                static_cast<std::uint8_t>(kind | (at > 0 ? kWord : 0))});
    }
  }
}

// The bucket of a key: its first two bytes.
std::size_t BucketOf(const char* key, std::size_t length) {
  const auto first = static_cast<unsigned char>(key[0]);
  const auto second = length > 1 ? static_cast<unsigned char>(key[1]) : 0u;
  return first << 8 | second;
}

void PlaceIndex::Data::AddEntry(const Entry& e) {
  unsorted.push_back(e);
  ++bucketSizes[BucketOf(folded.data() + e.folded, e.restLength)];
}

// Sorts the queued entries by their folded text. One counting pass spreads them by their
// key's first two bytes, packing the first twelve bytes of each key big-endian into two
// numbers; each bucket is then sorted on its own, the two halves of the buckets on two
// threads. The packed prefixes decide almost every comparison without touching the text.
// Equal keys stay in file order.
void PlaceIndex::Data::SortEntries() {
  struct Item {
    std::uint64_t high;  // bytes 0..7 of the key, zero-padded
    std::uint32_t low;   // bytes 8..11
    Entry entry;
  };
  static_assert(sizeof(Item) == 24);
  std::vector<std::uint32_t> starts(bucketSizes.size() + 1, 0);
  for (std::size_t b = 0; b < bucketSizes.size(); ++b) starts[b + 1] = starts[b] + bucketSizes[b];
  std::vector<Item> items(unsorted.size());
  {
    std::vector<std::uint32_t> next(starts.begin(), starts.end() - 1);
    for (const Entry& e : unsorted) {
      const char* key = folded.data() + e.folded;
      std::uint64_t high = 0;
      std::uint32_t low = 0;
      for (std::size_t n = 0; n < 8; ++n) high = high << 8 | (n < e.restLength ? static_cast<unsigned char>(key[n]) : 0u);
      for (std::size_t n = 8; n < 12; ++n) low = low << 8 | (n < e.restLength ? static_cast<unsigned char>(key[n]) : 0u);
      items[next[high >> 48]++] = {high, low, e};
    }
  }
  std::vector<Entry>().swap(unsorted);  // free the space now, not when loading ends
  std::vector<std::uint32_t>().swap(bucketSizes);
  const char* base = folded.data();
  const auto less = [base](const Item& a, const Item& b) {
    if (a.high != b.high) return a.high < b.high;
    if (a.low != b.low) return a.low < b.low;
    if ((a.low & 0xFF) != 0) {  // both keys have twelve bytes or more
      const int order = std::strcmp(base + a.entry.folded + 12, base + b.entry.folded + 12);
      if (order != 0) return order < 0;
    }
    return a.entry.placeSlot < b.entry.placeSlot ||
           (a.entry.placeSlot == b.entry.placeSlot && a.entry.folded < b.entry.folded);
  };
  const auto sortBuckets = [&](std::size_t first, std::size_t last) {
    for (std::size_t b = first; b < last; ++b) {
      if (starts[b + 1] - starts[b] > 1) std::sort(items.begin() + starts[b], items.begin() + starts[b + 1], less);
    }
  };
  const std::size_t buckets = starts.size() - 1;
  const auto middle = std::min(buckets, static_cast<std::size_t>(std::lower_bound(starts.begin(), starts.end(),
                                                                                  starts.back() / 2) - starts.begin()));
  {
    std::jthread helper(sortBuckets, middle, buckets);
    sortBuckets(0, middle);
  }
  entries.clear();
  entries.reserve(items.size());
  for (const Item& item : items) entries.push_back(item.entry);
}

PlaceIndex::PlaceIndex() : data_(std::make_unique<Data>()) {}
PlaceIndex::~PlaceIndex() = default;
PlaceIndex::PlaceIndex(PlaceIndex&&) noexcept = default;
PlaceIndex& PlaceIndex::operator=(PlaceIndex&&) noexcept = default;

const PlaceIndex::Data& PlaceIndex::Contents() const {
  static const Data kEmpty;
  return data_ ? *data_ : kEmpty;
}

std::size_t PlaceIndex::size() const { return Contents().places.size(); }

PlaceLoadStatus PlaceIndex::load(const std::filesystem::path& path) {
  data_ = std::make_unique<Data>();
  const std::string shown = path.string();
  const auto fail = [&](std::string message) {
    data_ = std::make_unique<Data>();
    return PlaceLoadStatus{false, std::move(message)};
  };
  std::error_code ec;
  if (path.empty()) return fail("No place file was given.");
  if (!std::filesystem::is_regular_file(path, ec)) {
    // Say what stands there: a folder or a FIFO is not a missing file.
    struct stat st {};
    const char* kind = ::stat(shown.c_str(), &st) == 0 ? FileKindName(st.st_mode) : nullptr;
    if (kind != nullptr) return fail("The place file " + shown + " is " + kind + ", not a regular file.");
    return fail("The place file " + shown + " does not exist.");
  }
  const std::uintmax_t fileSize = std::filesystem::file_size(path, ec);
  gzFile file = gzopen(shown.c_str(), "rb");
  if (file == nullptr) return fail("The place file " + shown + " cannot be opened.");
  gzbuffer(file, 1 << 17);

  Data& d = *data_;
  // Room for the real data file without regrowing, from its compressed size.
  const std::size_t bytes = ec ? 0 : static_cast<std::size_t>(std::min<std::uintmax_t>(fileSize, 1u << 30));
  d.text.reserve(bytes / 4 * 5);
  d.folded.reserve(bytes / 4 * 5);
  d.places.reserve(bytes / 22);  // a place takes about 24 bytes of the compressed file
  d.unsorted.reserve(bytes / 8);
  d.bucketSizes.assign(1 << 16, 0);

  std::string problem;
  std::size_t lineNumber = 0;
  const auto parse = [&](std::string_view line) {
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') return;
    if (std::string what = d.ParseLine(line); !what.empty()) problem = "line " + std::to_string(lineNumber) + ": " + what;
  };
  {
    ChunkReader reader(file);
    std::string chunk, carry, readError;
    while (problem.empty() && reader.Next(chunk, readError)) {
      std::string_view rest(chunk);
      if (!carry.empty()) {  // the line that began in the previous chunk
        const std::size_t nl = rest.find('\n');
        // A line over the limit is refused before it is held whole.
        if (carry.size() + std::min(nl, rest.size()) > kMaxPlaceLineBytes) {
          problem = "line " + std::to_string(lineNumber + 1) + ": longer than " + std::to_string(kMaxPlaceLineBytes) +
                    " bytes";
          break;
        }
        carry.append(rest.substr(0, nl));
        if (nl == std::string_view::npos) continue;
        parse(carry);
        carry.clear();
        rest.remove_prefix(nl + 1);
      }
      for (std::size_t nl; problem.empty() && (nl = rest.find('\n')) != std::string_view::npos;) {
        if (nl > kMaxPlaceLineBytes) {
          problem = "line " + std::to_string(lineNumber + 1) + ": longer than " + std::to_string(kMaxPlaceLineBytes) +
                    " bytes";
          break;
        }
        parse(rest.substr(0, nl));
        rest.remove_prefix(nl + 1);
      }
      if (rest.size() > kMaxPlaceLineBytes) {
        problem = "line " + std::to_string(lineNumber + 1) + ": longer than " + std::to_string(kMaxPlaceLineBytes) +
                  " bytes";
        break;
      }
      carry.append(rest);
    }
    if (problem.empty() && !readError.empty()) problem = readError;
    if (problem.empty() && !carry.empty()) parse(carry);  // a last line without a line feed
  }
  gzclose(file);
  if (!problem.empty()) return fail("The place file " + shown + " is not usable: " + problem + ".");
  if (d.places.empty()) return fail("The place file " + shown + " holds no places.");

  d.SortEntries();
  d.text.shrink_to_fit();
  d.folded.shrink_to_fit();
  d.places.shrink_to_fit();
#ifdef __GLIBC__
  malloc_trim(0);  // hand the sorting space back instead of keeping it in the heap
#endif
  return {true, {}};
}

std::vector<PlaceResult> PlaceIndex::search(std::string_view query, std::size_t limit) const {
  const Data& d = Contents();
  const std::size_t comma = query.find(',');
  const std::string q = FoldForSearch(query.substr(0, comma));
  const std::string qualifier = comma == std::string_view::npos ? std::string() : FoldForSearch(query.substr(comma + 1));
  if (q.empty() || limit == 0 || d.entries.empty()) return {};

  // The entries whose key starts with q form one run of the sorted array.
  const auto first = std::partition_point(d.entries.begin(), d.entries.end(),
                                          [&](const Entry& e) { return d.Key(e) < q; });
  const auto last = std::partition_point(first, d.entries.end(),
                                         [&](const Entry& e) { return d.Key(e).starts_with(q); });

  // Exact matches come in four tiers: the names of large places (about 100,000 people or
  // more), then their alternate (former, foreign) names, then the names and alternate names
  // of smaller places. So "Bombay" finds Mumbai before the small Bombay that bears the name
  // today, while "New Delhi" still finds New Delhi before Delhi, one of whose alternate
  // names it is. Prefix matches follow as before.
  const std::uint8_t largeMagnitude = PopulationMagnitude(kLargePlacePopulation);
  const auto tier = [largeMagnitude](PlaceMatch m, std::uint8_t magnitude) -> std::uint8_t {
    const bool large = magnitude >= largeMagnitude;
    switch (m) {
      case PlaceMatch::ExactName: return large ? 0 : 2;
      case PlaceMatch::ExactAlternate: return large ? 1 : 3;
      default: return static_cast<std::uint8_t>(static_cast<int>(m) + 2);
    }
  };
  struct Candidate {
    std::uint8_t tier;
    PlaceMatch match;
    std::uint32_t population;
    std::uint32_t place;
    std::uint32_t slot;
    bool operator<(const Candidate& o) const {
      if (tier != o.tier) return tier < o.tier;
      if (population != o.population) return population > o.population;
      if (match != o.match) return match < o.match;
      return place < o.place;
    }
  };
  std::vector<Candidate> best;  // sorted, at most `limit` long, one per place
  best.reserve(limit + 1);
  std::uint8_t worstMagnitude = 0;
  for (auto it = first; it != last; ++it) {
    const Entry& e = *it;
    PlaceMatch match = PlaceMatch::WordPrefix;
    if ((e.flags & kWord) == 0) {
      const bool exact = e.restLength == q.size() && q.size() < 255;
      const bool alternate = (e.flags & kAlternate) != 0;
      match = exact ? (alternate ? PlaceMatch::ExactAlternate : PlaceMatch::ExactName)
                    : (alternate ? PlaceMatch::AlternatePrefix : PlaceMatch::NamePrefix);
    }
    if (best.size() == limit) {
      const Candidate& worst = best.back();
      const std::uint8_t t = tier(match, e.magnitude);
      if (t > worst.tier || (t == worst.tier && e.magnitude < worstMagnitude)) {
        continue;
      }
    }
    const std::uint32_t placeIndex = e.placeSlot >> 8;
    const Place& p = d.places[placeIndex];
    if (!qualifier.empty() && !StartsAWord(d.regions.folded[p.region], qualifier) &&
        !StartsAWord(d.countries.folded[p.country], qualifier)) {
      continue;
    }
    const Candidate c{tier(match, e.magnitude), match, p.population, placeIndex, e.placeSlot & 0xFF};
    const auto same = std::find_if(best.begin(), best.end(), [&](const Candidate& b) { return b.place == placeIndex; });
    if (same != best.end()) {
      if (!(c < *same)) continue;
      best.erase(same);
    }
    best.insert(std::upper_bound(best.begin(), best.end(), c), c);
    if (best.size() > limit) best.pop_back();
    worstMagnitude = PopulationMagnitude(best.back().population);
  }

  std::vector<PlaceResult> results;
  results.reserve(best.size());
  for (const Candidate& c : best) {
    PlaceResult r = place(c.place);
    r.matchedName = d.SlotText(d.places[c.place], c.slot);
    r.match = c.match;
    results.push_back(r);
  }
  return results;
}

PlaceResult PlaceIndex::place(std::size_t id) const {
  const Data& d = Contents();
  const Place& p = d.places.at(id);
  PlaceResult r;
  r.id = id;
  r.name = d.Name(p);
  r.asciiName = d.Ascii(p);
  r.matchedName = r.name;
  r.region = d.regions.texts[p.region];
  r.country = d.countries.texts[p.country];
  r.zoneId = d.zones.texts[p.zone];
  r.latitude = p.latitude / kCoordinateScale;
  r.longitude = p.longitude / kCoordinateScale;
  r.population = p.population;
  r.match = PlaceMatch::ExactName;
  return r;
}

std::size_t PlaceIndex::memoryBytes() const {
  const Data& d = Contents();
  std::size_t bytes = d.text.capacity() + d.folded.capacity() + d.places.capacity() * sizeof(Place) +
                      d.entries.capacity() * sizeof(Entry);
  for (const TextTable* table : {&d.regions, &d.countries, &d.zones}) {
    for (const std::string& s : table->texts) bytes += 2 * (sizeof(std::string) + s.capacity());
  }
  return bytes;
}

std::vector<std::filesystem::path> PlacesFileCandidates() {
  std::vector<std::filesystem::path> candidates;
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec) candidates.push_back(exe.parent_path().parent_path() / "share" / "corvane" / "places.tsv.gz");
#ifdef CORVANE_SOURCE_PLACES
  candidates.emplace_back(CORVANE_SOURCE_PLACES);
#endif
  return candidates;
}

std::filesystem::path LocatePlacesFile(const std::filesystem::path& explicitPath) {
  if (!explicitPath.empty()) return explicitPath;
  if (const char* env = std::getenv("CORVANE_PLACES"); env != nullptr && *env != '\0') return env;
  for (const std::filesystem::path& candidate : PlacesFileCandidates()) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(candidate, ec)) return candidate;
  }
  return {};
}

PlaceLoadStatus LoadPlaces(PlaceIndex& index, const std::filesystem::path& explicitPath) {
  const std::filesystem::path path = LocatePlacesFile(explicitPath);
  if (!path.empty()) return index.load(path);
  std::string looked;
  for (const std::filesystem::path& candidate : PlacesFileCandidates()) {
    looked += (looked.empty() ? "" : ", ") + candidate.string();
  }
  index = PlaceIndex();
  return {false, "No place file was found (looked for CORVANE_PLACES and in " + looked + ")."};
}

}  // namespace corvane
