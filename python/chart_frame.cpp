#include "python/chart_frame.h"

#include <pybind11/numpy.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <thread>
#include <unordered_map>

#include "app/chart.h"
#include "app/chart_texts.h"
#include "app/chart_vargas.h"
#include "cli/batch_run.h"
#include "lagna/lagna_id.h"

namespace py = pybind11;

namespace corvane::python {
namespace {

// The columns that hold text. Those of few values (zone names, setting keys) share one
// Python string per value; the others share a string with the row above when they repeat it.
enum TextColumn : int {
  kNameText, kDateText, kTimeText, kZoneNameText, kLonText, kLatText, kCityText, kStateText, kCountryText, kTzText,
  kPlaceText, kFirstSettingText,  // then setting_<key> of each row of kSettingRows
  kErrorText = kFirstSettingText + static_cast<int>(kSettingCount), kTextColumnCount
};
const std::array<std::string, kTextColumnCount> kTextNames = [] {
  std::array<std::string, kTextColumnCount> names = {"name", "date",    "time", "zone_name", "lon", "lat",
                                                     "city", "state",   "country", "tz",     "place"};
  for (std::size_t i = 0; i < kSettingCount; ++i)
    names[static_cast<std::size_t>(kFirstSettingText) + i] = "setting_" + std::string(kSettingRows[i].key);
  names[kErrorText] = "error";
  return names;
}();
bool FewValues(int column) { return column == kZoneNameText || (column >= kFirstSettingText && column < kErrorText); }

constexpr std::int64_t kNoStamp = std::numeric_limits<std::int64_t>::min();  // NaT

// Nanoseconds from 1970-01-01 00:00 to a date and clock time, all on the same clock.
std::int64_t StampOf(const CivilDateTime& t) {
  using namespace std::chrono;
  const sys_days day{year{t.year} / t.month / t.day};
  const auto time = day + hours{t.hour} + minutes{t.minute} + seconds{t.second};
  return duration_cast<nanoseconds>(time.time_since_epoch()).count();
}

// A column of numbers that may be missing where a row has no chart.
template <typename T>
struct NumberColumn {
  T* values = nullptr;
  bool* missing = nullptr;  // null for floats (NaN) and stamps (NaT)
  void Set(std::size_t row, T value) const {
    values[row] = value;
    if (missing != nullptr) missing[row] = false;
  }
};

// The arrays of the table, made with the GIL held; worker threads write the numbers of a
// charted row straight into them (each row by one thread only).
class Table {
 public:
  Table(std::size_t rows, const std::vector<int>& vargas) : rows_(rows), vargas_(vargas) {
    const py::object empty = py::module_::import("numpy").attr("empty");
    for (int c = 0; c < kTextColumnCount; ++c) {
      texts_[c] = empty(rows, py::arg("dtype") = "object");  // every cell None
      textCells_[c] = static_cast<PyObject**>(texts_[c].mutable_data());
    }
    Text(kNameText);
    Text(kDateText);
    Text(kTimeText);
    zone_ = Number<std::int8_t>("zone", "int", 0);
    Text(kZoneNameText);
    dst_ = Number<bool>("dst", "bool", false);
    for (int c : {kLonText, kLatText, kCityText, kStateText, kCountryText, kTzText, kPlaceText}) Text(c);
    utcOffset_ = Number<std::int32_t>("utc_offset_seconds", "int", 0);
    ayanamsa_ = Number<double>("ayanamsa", "float", NAN);
    for (int b = 0; b < kBodyCount; ++b) {
      const std::string body(kPlainBodyNames[b]);
      bodyLongitude_[b] = Number<double>(body + "_longitude", "float", NAN);
      bodySign_[b] = Number<std::int8_t>(body + "_sign", "int", 0);
    }
    for (int l = 0; l < kLagnaCount; ++l) {
      const std::string lagna(kLagnaKeys[l]);
      lagnaSign_[l] = Number<std::int8_t>(lagna + "_sign", "int", 0);
      lagnaLongitude_[l] = Number<double>(lagna + "_longitude", "float", NAN);
    }
    horaHouse_ = Number<std::int8_t>("hora_house", "int", 0);
    pranapadaHouse_ = Number<std::int8_t>("pranapada_house", "int", 0);
    sunrise_ = Number<std::int64_t>("sunrise", "stamp", kNoStamp);
    sunset_ = Number<std::int64_t>("sunset", "stamp", kNoStamp);
    for (int c = kFirstSettingText; c < kTextColumnCount; ++c) Text(c);
    // "<Entry>_D9": each entry's sign in each varga asked for.
    for (const int v : vargas_)
      for (int e = 0; e < kVargaEntryCount; ++e)
        vargaSign_.push_back(Number<std::int8_t>(
            std::string(VargaEntryName(e)) + "_" + std::string(kVargaKeys[static_cast<std::size_t>(v)]), "int", 0));
  }

  // The varga signs of a charted row; runs on a worker thread. An entry without a place
  // stays missing.
  void SetVargas(std::size_t row, const VargaCharts& vargas) const {
    std::size_t column = 0;
    for (const int v : vargas_)
      for (int e = 0; e < kVargaEntryCount; ++e, ++column)
        if (const int sign = VargaEntrySign(vargas[static_cast<std::size_t>(v)], e); sign >= 0)
          vargaSign_[column].Set(row, static_cast<std::int8_t>(sign));
  }

  // The numbers of a charted row; runs on a worker thread.
  void SetNumbers(std::size_t row, const Chart& c) const {
    zone_.Set(row, static_cast<std::int8_t>(c.clock.zonePosition));
    dst_.Set(row, c.clock.daylightSaving);
    utcOffset_.Set(row, c.clock.utcOffsetSeconds);
    ayanamsa_.Set(row, c.positions.ayanamsaDeg);
    for (int b = 0; b < kBodyCount; ++b) {
      bodyLongitude_[b].Set(row, c.positions.longitudeDeg[b]);
      if (const std::optional<int> sign = BodySign(c, b)) bodySign_[b].Set(row, static_cast<std::int8_t>(*sign));
    }
    for (int l = 0; l < kLagnaCount; ++l) {
      const LagnaPosition& lagna = c.lagnas.lagnas[l];
      lagnaSign_[l].Set(row, static_cast<std::int8_t>(lagna.sign));
      // Only the lagnas computed from a longitude have one.
      if (lagna.longitudeDeg) lagnaLongitude_[l].Set(row, *lagna.longitudeDeg);
    }
    horaHouse_.Set(row, static_cast<std::int8_t>(c.lagnas.horaHouse));
    pranapadaHouse_.Set(row, static_cast<std::int8_t>(c.lagnas.pranapadaHouse));
    sunrise_.Set(row, StampOf(c.sun.riseBirthDay));
    sunset_.Set(row, StampOf(c.sun.setBirthDay));
  }

  // The cell of a text column; holds a new reference (None at first).
  PyObject*& TextCell(int column, std::size_t row) const { return textCells_[column][row]; }

  std::vector<FrameColumn> Columns() && { return std::move(columns_); }

 private:
  void Text(int column) { columns_.push_back({kTextNames[column], "text", texts_[column], py::none()}); }

  template <typename T>
  NumberColumn<T> Number(std::string name, std::string kind, T fill) {
    py::array_t<T> values(static_cast<py::ssize_t>(rows_));
    NumberColumn<T> column{values.mutable_data(), nullptr};
    std::fill_n(column.values, rows_, fill);
    py::object mask = py::none();
    if (kind == "int" || kind == "bool") {
      py::array_t<bool> missing(static_cast<py::ssize_t>(rows_));
      column.missing = missing.mutable_data();
      std::fill_n(column.missing, rows_, true);
      mask = std::move(missing);
    }
    columns_.push_back({std::move(name), std::move(kind), std::move(values), std::move(mask)});
    return column;
  }

  std::size_t rows_;
  std::vector<FrameColumn> columns_;
  std::array<py::array, kTextColumnCount> texts_;
  std::array<PyObject**, kTextColumnCount> textCells_{};
  NumberColumn<std::int8_t> zone_, horaHouse_, pranapadaHouse_;
  NumberColumn<bool> dst_;
  NumberColumn<std::int32_t> utcOffset_;
  NumberColumn<double> ayanamsa_;
  std::array<NumberColumn<double>, kBodyCount> bodyLongitude_;
  std::array<NumberColumn<std::int8_t>, kBodyCount> bodySign_;
  std::array<NumberColumn<std::int8_t>, kLagnaCount> lagnaSign_;
  std::array<NumberColumn<double>, kLagnaCount> lagnaLongitude_;
  NumberColumn<std::int64_t> sunrise_, sunset_;
  std::vector<int> vargas_;
  std::vector<NumberColumn<std::int8_t>> vargaSign_;
};

// The texts of a chunk's rows, made on a worker thread; the numbers go straight to the table.
class FrameChunk : public BatchChunk {
 public:
  struct Row {
    std::size_t row = 0;
    bool charted = false;
    std::array<std::string, kTextColumnCount> texts;
  };

  explicit FrameChunk(const Table& table) : table_(table) {}

  void Clear() override { count_ = 0; }

  void AddChart(const CsvRecord& record, const Chart& c, const BirthSweep*, const VargaCharts* vargas) override {
    Row& row = Next(record, true);
    table_.SetNumbers(row.row, c);
    if (vargas) table_.SetVargas(row.row, *vargas);
    auto& t = row.texts;
    const ChartBirth& b = c.birth;
    // The birth texts are those of the chart's JSON.
    const BirthFieldTexts fields = BirthFieldTextsOf(b);
    t[kDateText] = fields.date;
    t[kTimeText] = fields.time;
    t[kLonText] = fields.lon;
    t[kLatText] = fields.lat;
    t[kNameText] = b.name;
    t[kZoneNameText] = ZoneRowText(c.clock);
    t[kCityText] = b.city;
    t[kStateText] = b.state;
    t[kCountryText] = b.country;
    t[kTzText] = c.clock.zoneId;
    t[kPlaceText] = b.place;
    // The settings in the order of the JSON's "settings", which the setting columns follow.
    int column = kFirstSettingText;
    for (const SettingEntry& e : SettingEntries(c.settings)) t[column++] = e.key;
    t[kErrorText].clear();
  }

  void AddRefusal(const CsvRecord& record, const std::string& message) override {
    Next(record, false).texts[kErrorText] = message;
  }

  std::span<const Row> Rows() const { return {rows_.data(), count_}; }

 private:
  Row& Next(const CsvRecord& record, bool charted) {
    if (count_ == rows_.size()) rows_.emplace_back();
    Row& row = rows_[count_++];
    row.row = static_cast<std::size_t>(record.line);
    row.charted = charted;
    return row;
  }

  const Table& table_;
  std::vector<Row> rows_;  // kept from chunk to chunk with their strings' storage
  std::size_t count_ = 0;
};

// Stops a run with the Python error that is set (an interrupt, or no memory for a string);
// the error stays set for the caller to raise.
struct PythonFailure {
  bool failed = false;
};

// Puts the texts of each chunk into the table's object arrays, holding the GIL meanwhile.
class FrameSink : public BatchSink {
 public:
  FrameSink(const Table& table, PythonFailure& failure, const py::object& progress)
      : table_(table), failure_(failure), progress_(progress) {}
  ~FrameSink() override {
    for (auto& values : shared_)
      for (auto& [text, object] : values) Py_DECREF(object);
  }

  std::unique_ptr<BatchChunk> NewChunk() override { return std::make_unique<FrameChunk>(table_); }

  bool Write(BatchChunk& chunk) override {
    py::gil_scoped_acquire gil;
    if (failure_.failed) return false;
    const FrameChunk::Row* above = nullptr;  // the row above, when it has a chart
    std::size_t rows = 0, refused = 0;
    for (const FrameChunk::Row& row : static_cast<const FrameChunk&>(chunk).Rows()) {
      ++rows;
      refused += row.charted ? 0 : 1;
      for (int c = 0; c < kTextColumnCount; ++c) {
        if (!row.charted && c != kErrorText) continue;
        const std::string& text = row.texts[c];
        // None: the clock came from the zone list, or no place was searched for.
        if ((c == kTzText || c == kPlaceText) && text.empty()) continue;
        PyObject* object = nullptr;
        if (FewValues(c) || text.empty()) {
          object = Shared(c, text);
        } else if (above != nullptr && above->texts[c] == text) {
          object = table_.TextCell(c, above->row);
          Py_INCREF(object);
        } else {
          object = PyUnicode_DecodeUTF8(text.data(), static_cast<Py_ssize_t>(text.size()), "replace");
        }
        if (object == nullptr) {
          failure_.failed = true;
          return false;
        }
        PyObject*& cell = table_.TextCell(c, row.row);
        Py_XDECREF(cell);
        cell = object;
      }
      above = row.charted ? &row : nullptr;
    }
    if (!progress_.is_none()) {
      PyObject* answer = PyObject_CallFunction(progress_.ptr(), "nn", static_cast<Py_ssize_t>(rows),
                                               static_cast<Py_ssize_t>(refused));
      if (answer == nullptr) {
        failure_.failed = true;  // the progress callback raised; its error stays set
        return false;
      }
      Py_DECREF(answer);
    }
    return true;
  }

 private:
  // One string per value of a column, a new reference to it; null when it cannot be made.
  PyObject* Shared(int column, const std::string& text) {
    auto& values = shared_[column];
    auto it = values.find(text);
    if (it == values.end()) {
      PyObject* object = PyUnicode_DecodeUTF8(text.data(), static_cast<Py_ssize_t>(text.size()), "replace");
      if (object == nullptr) return nullptr;
      it = values.emplace(text, object).first;
    }
    Py_INCREF(it->second);
    return it->second;
  }

  const Table& table_;
  PythonFailure& failure_;
  const py::object& progress_;
  std::array<std::unordered_map<std::string, PyObject*>, kTextColumnCount> shared_;
};

// The rows of the input, read a chunk at a time with the GIL held.
class FrameSource : public BatchSource {
 public:
  FrameSource(const FrameInput& input, const std::vector<BatchColumn>& columns, PythonFailure& failure)
      : input_(input), columns_(columns), failure_(failure) {
    for (const py::object& values : input.values) {
      if (values.is_none()) {
        cells_.push_back(nullptr);
        continue;
      }
      arrays_.push_back(py::cast<py::array>(values));
      const py::array& array = arrays_.back();
      if (array.ndim() != 1 || array.dtype().kind() != 'O' || static_cast<std::size_t>(array.shape(0)) != input.rows ||
          (input.rows > 1 && array.strides(0) != sizeof(PyObject*))) {
        throw std::invalid_argument("each column must be a one-dimensional object array of one value per row");
      }
      cells_.push_back(static_cast<PyObject* const*>(array.data()));
    }
  }

  std::size_t Fill(std::span<CsvRecord> records) override {
    py::gil_scoped_acquire gil;
    if (failure_.failed || PyErr_CheckSignals() != 0) {
      failure_.failed = true;
      return 0;
    }
    std::size_t count = 0;
    for (; count < records.size() && next_ < input_.rows; ++count, ++next_) {
      CsvRecord& record = records[count];
      record.line = static_cast<long>(next_);
      record.error.reset();
      record.fields.resize(columns_.size());
      for (std::size_t c = 0; c < columns_.size(); ++c) {
        std::string& field = record.fields[c];
        if (cells_[c] == nullptr) {
          field = columns_[c] == BatchColumn::kDst ? "0" : "";
        } else if (!CellText(cells_[c][next_], field) && !record.error) {
          record.error = "the " + input_.names[c] + " column cannot be read as UTF-8 text";
        }
      }
    }
    return count;
  }

 private:
  // The text of a cell as a CSV would hold it; false when it has none.
  static bool CellText(PyObject* cell, std::string& text) {
    text.clear();
    if (cell == Py_None) return true;
    if (PyUnicode_Check(cell)) {
      Py_ssize_t size = 0;
      const char* utf8 = PyUnicode_AsUTF8AndSize(cell, &size);
      if (utf8 == nullptr) {
        PyErr_Clear();
        return false;
      }
      text.assign(utf8, static_cast<std::size_t>(size));
      return true;
    }
    if (PyBool_Check(cell)) {
      text = cell == Py_True ? "1" : "0";
      return true;
    }
    if (PyFloat_Check(cell)) {
      const double value = PyFloat_AS_DOUBLE(cell);
      if (std::isnan(value)) return true;  // a missing value of a numeric column
      // A whole number read into a float column (one with a missing value) is written whole.
      if (value == std::floor(value) && std::fabs(value) < 1e15) {
        return Digits(static_cast<long long>(value), text);
      }
    } else if (PyLong_Check(cell)) {
      int overflow = 0;
      const long long value = PyLong_AsLongLongAndOverflow(cell, &overflow);
      if (overflow == 0 && !(value == -1 && PyErr_Occurred())) return Digits(value, text);
      PyErr_Clear();
    }
    PyObject* str = PyObject_Str(cell);
    if (str == nullptr) {
      PyErr_Clear();
      return false;
    }
    const bool ok = CellText(str, text);
    Py_DECREF(str);
    return ok;
  }

  static bool Digits(long long value, std::string& text) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    text.assign(digits, end);
    return true;
  }

  const FrameInput& input_;
  const std::vector<BatchColumn>& columns_;
  PythonFailure& failure_;
  std::vector<py::array> arrays_;
  std::vector<PyObject* const*> cells_;
  std::size_t next_ = 0;
};

}  // namespace

std::vector<FrameColumn> ChartFrame(const FrameInput& input, const CalculationSettings& settings, unsigned jobs,
                                    const std::vector<int>& vargas, const py::object& progress) {
  std::vector<BatchColumn> columns;
  if (input.names.size() != input.values.size()) throw std::invalid_argument("one array of values per column name");
  if (const auto problem = ReadBatchHeader(input.names, columns)) throw std::invalid_argument(*problem);
  if (jobs == 0) jobs = std::max(1u, std::thread::hardware_concurrency());

  Table table(input.rows, vargas);
  PythonFailure failure;
  {
    FrameSource source(input, columns, failure);
    FrameSink sink(table, failure, progress);
    py::gil_scoped_release released;
    RunBatchRecords(source, columns, settings, jobs, sink, !vargas.empty());
  }
  if (failure.failed) throw py::error_already_set();
  return std::move(table).Columns();
}

}  // namespace corvane::python
