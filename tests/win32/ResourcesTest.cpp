// The resources of the shipped Quorvane.exe, read back from the built file
// through the Windows resource and version APIs, as the loader will see them.
#include <gtest/gtest.h>
#include <windows.h>
#include <winver.h>

#include <cstdint>
#include <cstring>
#include <cwchar>
#include <ostream>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "Utf16.h"
#include "tests/common/ProgramTable.h"

namespace {

// Every resource is tagged Chinese (PRC), and each test looks its resource
// up in that language; the enumeration at the end rules out copies in any
// other language.
constexpr WORD kChineseSimplified = 0x0804;
static_assert(MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED) == kChineseSimplified,
              "0x0804 is Chinese (PRC)");

constexpr WORD kAboutDialog = 100;
constexpr WORD kAboutString = 101;
constexpr WORD kUpgradeDialog = 102;
constexpr WORD kMainIcon = 128;
constexpr WORD kBackground = 129;

// The predefined control classes a template may name by ordinal.
constexpr uint16_t kButtonClass = 0x0080;
constexpr uint16_t kStaticClass = 0x0082;

// A control without an id of its own: -1 in the script, 0xFFFF as the WORD
// id of a classic template item.
constexpr uint32_t kNoId = 0xFFFF;

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return std::string();
  const int length = static_cast<int>(text.size());
  const int bytes =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), length, &out[0], bytes, nullptr, nullptr);
  return out;
}

// A template's sz_Or_Ord field: 0x0000 alone is "none" (an empty text),
// 0xFFFF is followed by a WORD ordinal, anything else starts a NUL-terminated
// UTF-16 text.
struct NameOrOrdinal {
  bool is_ordinal = false;
  uint16_t ordinal = 0;
  std::wstring text;

  bool operator==(const NameOrOrdinal& other) const {
    return is_ordinal == other.is_ordinal && ordinal == other.ordinal && text == other.text;
  }
};

NameOrOrdinal Ordinal(uint16_t value) { return NameOrOrdinal{true, value, std::wstring()}; }
NameOrOrdinal Text(const std::wstring& value) { return NameOrOrdinal{false, 0, value}; }
// A text of the test table.
NameOrOrdinal Text(const char* utf8) { return Text(Utf16(utf8)); }

void PrintTo(const NameOrOrdinal& value, std::ostream* os) {
  if (value.is_ordinal) {
    *os << "#0x" << std::hex << value.ordinal << std::dec;
  } else {
    *os << '"' << Utf8(value.text) << '"';
  }
}

// Sequential little-endian reads over one resource, bounds-checked: a read
// past the end yields zeros and leaves ok() false for the test to report.
class Reader {
 public:
  Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  bool ok() const { return ok_; }
  size_t offset() const { return offset_; }

  uint8_t Byte() { return Take<uint8_t>(); }
  uint16_t Word() { return Take<uint16_t>(); }
  uint32_t Dword() { return Take<uint32_t>(); }
  int16_t Short() { return Take<int16_t>(); }

  void Skip(size_t count) {
    if (size_ - offset_ < count) {
      ok_ = false;
      offset_ = size_;
    } else {
      offset_ += count;
    }
  }

  // Offsets count from the resource's first byte, which the loader places on
  // a DWORD boundary, so aligning the offset aligns the address.
  void Align(size_t boundary) {
    const size_t misalignment = offset_ % boundary;
    if (misalignment != 0) Skip(boundary - misalignment);
  }

  std::wstring String() {
    std::wstring text;
    for (uint16_t ch = Word(); ok_ && ch != 0; ch = Word())
      text.push_back(static_cast<wchar_t>(ch));
    return text;
  }

  NameOrOrdinal NameOrOrd() {
    const uint16_t first = Word();
    if (first == 0x0000) return Text(L"");
    if (first == 0xFFFF) return Ordinal(Word());
    std::wstring text(1, static_cast<wchar_t>(first));
    text += String();
    return Text(text.c_str());
  }

 private:
  template <typename T>
  T Take() {
    T value{};
    if (!ok_ || size_ - offset_ < sizeof value) {
      ok_ = false;
      offset_ = size_;
      return value;
    }
    std::memcpy(&value, data_ + offset_, sizeof value);
    offset_ += sizeof value;
    return value;
  }

  const uint8_t* data_;
  size_t size_;
  size_t offset_ = 0;
  bool ok_ = true;
};

// One control of a template, as DLGITEMTEMPLATE or DLGITEMTEMPLATEEX holds
// it. The classic layout has no help id and a WORD id; both read into these
// wider fields.
struct DialogItem {
  uint32_t help_id;
  uint32_t ex_style;
  uint32_t style;
  int16_t x, y, cx, cy;
  uint32_t id;
  NameOrOrdinal window_class;
  NameOrOrdinal text;
  uint16_t creation_data_bytes;

  bool operator==(const DialogItem& other) const {
    return help_id == other.help_id && ex_style == other.ex_style && style == other.style &&
           x == other.x && y == other.y && cx == other.cx && cy == other.cy && id == other.id &&
           window_class == other.window_class && text == other.text &&
           creation_data_bytes == other.creation_data_bytes;
  }
};

void PrintTo(const DialogItem& item, std::ostream* os) {
  *os << std::hex << "{help 0x" << item.help_id << ", ex 0x" << item.ex_style << ", style 0x"
      << item.style << std::dec << ", " << item.x << ',' << item.y << ',' << item.cx << ','
      << item.cy << ", id " << item.id << ", class ";
  PrintTo(item.window_class, os);
  *os << ", text ";
  PrintTo(item.text, os);
  *os << ", creation data " << item.creation_data_bytes << " bytes}";
}

struct DialogTemplate {
  bool extended = false;
  uint16_t version = 0;
  uint32_t help_id = 0;
  uint32_t ex_style = 0;
  uint32_t style = 0;
  int16_t x = 0, y = 0, cx = 0, cy = 0;
  NameOrOrdinal menu;
  NameOrOrdinal window_class;
  std::wstring caption;
  bool has_font = false;
  uint16_t point_size = 0;
  uint16_t weight = 0;
  uint8_t italic = 0;
  uint8_t charset = 0;
  std::wstring face;
  std::vector<DialogItem> items;
};

// Reads DLGTEMPLATE or, when the first two WORDs are 1 and 0xFFFF,
// DLGTEMPLATEEX. The font fields are there only with DS_SETFONT (which
// DS_SHELLFONT includes), and each item starts on a DWORD boundary.
DialogTemplate ParseDialog(Reader& in) {
  DialogTemplate dialog;
  const uint16_t first = in.Word();
  const uint16_t second = in.Word();
  dialog.extended = first == 1 && second == 0xFFFF;
  if (dialog.extended) {
    dialog.version = first;
    dialog.help_id = in.Dword();
    dialog.ex_style = in.Dword();
    dialog.style = in.Dword();
  } else {
    dialog.style = static_cast<uint32_t>(first) | static_cast<uint32_t>(second) << 16;
    dialog.ex_style = in.Dword();
  }
  const uint16_t count = in.Word();
  dialog.x = in.Short();
  dialog.y = in.Short();
  dialog.cx = in.Short();
  dialog.cy = in.Short();
  dialog.menu = in.NameOrOrd();
  dialog.window_class = in.NameOrOrd();
  dialog.caption = in.String();
  dialog.has_font = (dialog.style & DS_SETFONT) != 0;
  if (dialog.has_font) {
    dialog.point_size = in.Word();
    if (dialog.extended) {
      dialog.weight = in.Word();
      dialog.italic = in.Byte();
      dialog.charset = in.Byte();
    }
    dialog.face = in.String();
  }
  for (uint16_t i = 0; i < count && in.ok(); ++i) {
    in.Align(4);
    DialogItem item{};
    if (dialog.extended) {
      item.help_id = in.Dword();
      item.ex_style = in.Dword();
      item.style = in.Dword();
    } else {
      item.style = in.Dword();
      item.ex_style = in.Dword();
    }
    item.x = in.Short();
    item.y = in.Short();
    item.cx = in.Short();
    item.cy = in.Short();
    item.id = dialog.extended ? in.Dword() : in.Word();
    item.window_class = in.NameOrOrd();
    item.text = in.NameOrOrd();
    item.creation_data_bytes = in.Word();
    in.Skip(item.creation_data_bytes);
    dialog.items.push_back(item);
  }
  return dialog;
}

struct ResourceBytes {
  const uint8_t* data = nullptr;
  size_t size = 0;
};

// The product file, mapped once as data: nothing of it runs, and a 64-bit
// test process can read the resources of the 32-bit program this way.
class ProductResources : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    module_ = LoadLibraryExA(QUORVANE_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    load_error_ = module_ == nullptr ? GetLastError() : 0;
  }
  static void TearDownTestSuite() {
    if (module_ != nullptr) FreeLibrary(module_);
    module_ = nullptr;
  }

  void SetUp() override {
    ASSERT_NE(module_, nullptr) << "LoadLibraryExA(" << QUORVANE_EXE
                                << ", LOAD_LIBRARY_AS_DATAFILE) failed, error " << load_error_;
  }

  // Looks the resource up in 0x0804 only; that the lookup succeeds is part
  // of what each test checks.
  static ::testing::AssertionResult Load(LPCSTR type, WORD id, ResourceBytes& out) {
    HRSRC found = FindResourceExA(module_, type, MAKEINTRESOURCEA(id), kChineseSimplified);
    if (found == nullptr) {
      return ::testing::AssertionFailure()
             << "no resource of type #" << reinterpret_cast<uintptr_t>(type) << " id " << id
             << " in language 0x0804, error " << GetLastError();
    }
    HGLOBAL loaded = LoadResource(module_, found);
    const void* data = loaded == nullptr ? nullptr : LockResource(loaded);
    if (data == nullptr) {
      return ::testing::AssertionFailure() << "resource #" << id << " found but not loadable";
    }
    out.data = static_cast<const uint8_t*>(data);
    out.size = SizeofResource(module_, found);
    return ::testing::AssertionSuccess();
  }

  static ::testing::AssertionResult LoadDialog(WORD id, DialogTemplate& out) {
    ResourceBytes bytes;
    ::testing::AssertionResult found = Load(RT_DIALOG, id, bytes);
    if (!found) return found;
    Reader in(bytes.data, bytes.size);
    out = ParseDialog(in);
    if (!in.ok()) {
      return ::testing::AssertionFailure()
             << "dialog " << id << " template runs past its " << bytes.size << " bytes";
    }
    return ::testing::AssertionSuccess();
  }

  static HMODULE module_;
  static DWORD load_error_;
};

HMODULE ProductResources::module_ = nullptr;
DWORD ProductResources::load_error_ = 0;

// The whole version resource, as GetFileVersionInfo hands it to any reader.
bool ReadVersionInfo(std::vector<uint8_t>& info) {
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(QUORVANE_EXE, &handle);
  if (size == 0) {
    ADD_FAILURE() << "GetFileVersionInfoSizeA failed, error " << GetLastError();
    return false;
  }
  info.assign(size, 0);
  if (!GetFileVersionInfoA(QUORVANE_EXE, 0, size, info.data())) {
    ADD_FAILURE() << "GetFileVersionInfoA failed, error " << GetLastError();
    return false;
  }
  return true;
}

struct VersionString {
  bool present = false;
  std::wstring text;        // the characters before the first NUL
  UINT length = 0;          // as VerQueryValueW reports it, in characters
  bool terminated = false;  // the last of those characters is a NUL
};

// One value of the 080404b0 table. Readers take the text as NUL-terminated,
// so the stored length counts a terminating NUL, and an empty value is that
// NUL alone.
VersionString QueryVersionString(const std::vector<uint8_t>& info, const wchar_t* name) {
  const std::wstring path = std::wstring(L"\\StringFileInfo\\080404b0\\") + name;
  VersionString result;
  void* value = nullptr;
  result.present = VerQueryValueW(info.data(), path.c_str(), &value, &result.length) != FALSE;
  if (!result.present || value == nullptr) return result;
  const wchar_t* text = static_cast<const wchar_t*>(value);
  size_t end = 0;
  while (end < result.length && text[end] != L'\0') ++end;
  result.text.assign(text, end);
  result.terminated = result.length > 0 && text[result.length - 1] == L'\0';
  return result;
}

void ExpectItems(const std::vector<DialogItem>& actual, const std::vector<DialogItem>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE("item " + std::to_string(i));
    EXPECT_EQ(actual[i], expected[i]);
  }
}

TEST_F(ProductResources, UpgradeDialogIsTheExtendedTemplate) {
  DialogTemplate dialog;
  ASSERT_TRUE(LoadDialog(kUpgradeDialog, dialog));
  EXPECT_TRUE(dialog.extended);
  EXPECT_EQ(dialog.version, 1);
  EXPECT_EQ(dialog.help_id, 0u);
  EXPECT_EQ(dialog.style, table::kDialogStyle);
  EXPECT_EQ(dialog.ex_style, table::kDialogExStyle);
  EXPECT_EQ(dialog.x, 0);
  EXPECT_EQ(dialog.y, 0);
  EXPECT_EQ(dialog.cx, 299);
  EXPECT_EQ(dialog.cy, 139);
  EXPECT_EQ(dialog.menu, Text(L""));
  EXPECT_EQ(dialog.window_class, Text(L""));
  EXPECT_EQ(dialog.caption, Utf16(table::kCaption));
  ASSERT_TRUE(dialog.has_font);
  EXPECT_EQ(dialog.point_size, 9);
  EXPECT_EQ(dialog.weight, 0);
  EXPECT_EQ(dialog.italic, 0);
  EXPECT_EQ(dialog.charset, 1);  // DEFAULT_CHARSET
  EXPECT_EQ(dialog.face, L"宋体");
}

TEST_F(ProductResources, UpgradeDialogControlsInTabOrder) {
  DialogTemplate dialog;
  ASSERT_TRUE(LoadDialog(kUpgradeDialog, dialog));
  // help, exStyle, style, x, y, cx, cy, id, class, text, creation data
  const std::vector<DialogItem> expected = {
      {0, 0, table::kUpgradeButtonStyle, 246, 73, 36, 14, IDOK, Ordinal(kButtonClass),
       Text(table::kUpgradeButton), 0},
      {0, 0, table::kExitButtonStyle, 246, 98, 36, 14, IDCANCEL, Ordinal(kButtonClass),
       Text(table::kExitButton), 0},
      {0, table::kOsFieldExStyle, table::kFieldStyle, 152, 71, 84, 11, 1003, Ordinal(kStaticClass),
       Text(L""), 0},
      {0, 0, table::kFieldStyle, 152, 87, 84, 11, 1001, Ordinal(kStaticClass), Text(L""), 0},
      {0, 0, table::kFieldStyle, 152, 103, 84, 11, 1002, Ordinal(kStaticClass), Text(L""), 0},
  };
  ExpectItems(dialog.items, expected);
}

TEST_F(ProductResources, AboutDialogIsTheClassicTemplate) {
  DialogTemplate dialog;
  ASSERT_TRUE(LoadDialog(kAboutDialog, dialog));
  EXPECT_FALSE(dialog.extended);
  EXPECT_EQ(dialog.style, 0x80C800C0u);
  EXPECT_EQ(dialog.ex_style, 0u);
  EXPECT_EQ(dialog.x, 0);
  EXPECT_EQ(dialog.y, 0);
  EXPECT_EQ(dialog.cx, 235);
  EXPECT_EQ(dialog.cy, 55);
  EXPECT_EQ(dialog.menu, Text(L""));
  EXPECT_EQ(dialog.window_class, Text(L""));
  EXPECT_EQ(dialog.caption, Utf16(table::kAboutCaption));
  ASSERT_TRUE(dialog.has_font);
  EXPECT_EQ(dialog.point_size, 9);
  EXPECT_EQ(dialog.face, L"宋体");
}

// The maker's notice in the About box and LegalCopyright in the version
// resource are one text; the About item is checked against the latter.
TEST_F(ProductResources, AboutDialogControlsInTabOrder) {
  std::vector<uint8_t> info;
  ASSERT_TRUE(ReadVersionInfo(info));
  const VersionString copyright = QueryVersionString(info, L"LegalCopyright");
  ASSERT_TRUE(copyright.present);
  const std::wstring notice = copyright.text;
  ASSERT_FALSE(notice.empty());

  DialogTemplate dialog;
  ASSERT_TRUE(LoadDialog(kAboutDialog, dialog));
  // The icon control names the icon resource by ordinal in its text field.
  const std::vector<DialogItem> expected = {
      {0, 0, 0x50000003, 12, 15, 21, 21, kNoId, Ordinal(kStaticClass), Ordinal(kMainIcon), 0},
      {0, 0, 0x50020080, 40, 10, 119, 8, kNoId, Ordinal(kStaticClass), Text(table::kAboutVersion),
       0},
      {0, 0, 0x50020000, 40, 34, 133, 8, kNoId, Ordinal(kStaticClass), Text(notice.c_str()), 0},
      {0, 0, 0x50030001, 178, 7, 50, 14, IDOK, Ordinal(kButtonClass), Text(table::kAboutOk), 0},
      {0, 0, 0x50020080, 40, 21, 135, 8, kNoId, Ordinal(kStaticClass), Text(table::kAboutPurpose),
       0},
  };
  ExpectItems(dialog.items, expected);
}

// RT_STRING resources hold sixteen strings each: string n is entry n % 16 of
// block n / 16 + 1, and each entry is a WORD count of UTF-16 units followed
// by that many units, without a terminator.
TEST_F(ProductResources, AboutMenuStringIsTheOnlyEntryOfItsBlock) {
  ResourceBytes bytes;
  ASSERT_TRUE(Load(RT_STRING, kAboutString / 16 + 1, bytes));
  Reader in(bytes.data, bytes.size);
  std::vector<std::wstring> entries;
  for (int i = 0; i < 16; ++i) {
    const uint16_t length = in.Word();
    std::wstring text;
    for (uint16_t j = 0; j < length && in.ok(); ++j)
      text.push_back(static_cast<wchar_t>(in.Word()));
    entries.push_back(text);
  }
  ASSERT_TRUE(in.ok()) << "string block runs past its " << bytes.size << " bytes";
  for (size_t i = 0; i < entries.size(); ++i) {
    SCOPED_TRACE("string " + std::to_string(kAboutString / 16 * 16 + i));
    const std::wstring expected = i == kAboutString % 16u ? Utf16(table::kAboutMenuItem) : L"";
    EXPECT_EQ(entries[i], expected) << "read \"" << Utf8(entries[i]) << '"';
  }
}

// GRPICONDIR (WORD reserved 0, WORD type 1, WORD count) followed by packed
// 14-byte GRPICONDIRENTRY records that name the RT_ICON images by id.
struct IconEntry {
  uint8_t width, height, color_count, reserved;
  uint16_t planes, bit_count;
  uint32_t bytes;
  uint16_t id;
};

TEST_F(ProductResources, MainIconHasNineImagesEachPresentAsItsDirectorySays) {
  ResourceBytes bytes;
  ASSERT_TRUE(Load(RT_GROUP_ICON, kMainIcon, bytes));
  Reader in(bytes.data, bytes.size);
  EXPECT_EQ(in.Word(), 0);
  EXPECT_EQ(in.Word(), 1);  // icons, not cursors
  const uint16_t count = in.Word();
  std::vector<IconEntry> entries;
  for (uint16_t i = 0; i < count && in.ok(); ++i) {
    IconEntry entry{};
    entry.width = in.Byte();
    entry.height = in.Byte();
    entry.color_count = in.Byte();
    entry.reserved = in.Byte();
    entry.planes = in.Word();
    entry.bit_count = in.Word();
    entry.bytes = in.Dword();
    entry.id = in.Word();
    entries.push_back(entry);
  }
  ASSERT_TRUE(in.ok()) << "icon directory runs past its " << bytes.size << " bytes";
  EXPECT_EQ(in.offset(), bytes.size);

  std::set<std::tuple<int, int, int>> sizes;
  for (const IconEntry& entry : entries) sizes.insert({entry.width, entry.height, entry.bit_count});
  const std::set<std::tuple<int, int, int>> expected = {
      {16, 16, 4},  {16, 16, 8}, {16, 16, 32}, {32, 32, 4},  {32, 32, 8},
      {32, 32, 32}, {48, 48, 4}, {48, 48, 8},  {48, 48, 32},
  };
  EXPECT_EQ(entries.size(), 9u);
  EXPECT_EQ(sizes, expected);

  for (const IconEntry& entry : entries) {
    SCOPED_TRACE("icon image " + std::to_string(entry.id));
    EXPECT_EQ(entry.planes, 1);
    ResourceBytes image;
    ASSERT_TRUE(Load(RT_ICON, entry.id, image));
    // The directory's byte count is what LookupIconIdFromDirectory and
    // CreateIconFromResource go by.
    EXPECT_EQ(image.size, entry.bytes);
    // Each image is a DIB whose height counts the colour and mask halves.
    BITMAPINFOHEADER header{};
    ASSERT_GE(image.size, sizeof header);
    std::memcpy(&header, image.data, sizeof header);
    EXPECT_EQ(header.biSize, sizeof header);
    EXPECT_EQ(header.biWidth, entry.width);
    EXPECT_EQ(header.biHeight, 2 * entry.height);
    EXPECT_EQ(header.biBitCount, entry.bit_count);
  }
}

TEST_F(ProductResources, BackgroundIsAn8BitBottomUpDibOf462By211) {
  ResourceBytes bytes;
  ASSERT_TRUE(Load(RT_BITMAP, kBackground, bytes));
  // An RT_BITMAP resource is a packed DIB: the .bmp file minus its
  // BITMAPFILEHEADER.
  BITMAPINFOHEADER header{};
  ASSERT_GE(bytes.size, sizeof header);
  std::memcpy(&header, bytes.data, sizeof header);
  EXPECT_EQ(header.biSize, 40u);
  EXPECT_EQ(header.biWidth, 462);
  EXPECT_EQ(header.biHeight, 211);  // positive: rows stored bottom-up
  EXPECT_EQ(header.biPlanes, 1);
  EXPECT_EQ(header.biBitCount, 8);
  EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
  EXPECT_TRUE(header.biClrUsed == 0 || header.biClrUsed == 256) << header.biClrUsed;
  // Rows are padded to whole DWORDs: 462 bytes become 464.
  const size_t stride = (462 * 8 + 31) / 32 * 4;
  ASSERT_EQ(stride, 464u);
  EXPECT_EQ(bytes.size, 40u + 256u * 4u + stride * 211u);
}

TEST_F(ProductResources, VersionResourceIsInChinese) {
  ResourceBytes bytes;
  EXPECT_TRUE(Load(RT_VERSION, 1, bytes));
}

TEST_F(ProductResources, FixedVersionNumbers) {
  std::vector<uint8_t> info;
  ASSERT_TRUE(ReadVersionInfo(info));
  void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", &value, &length));
  ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
  VS_FIXEDFILEINFO fixed{};
  std::memcpy(&fixed, value, sizeof fixed);
  EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed.dwStrucVersion, 0x00010000u);
  EXPECT_EQ(fixed.dwFileVersionMS, 0x00010000u);  // 1.0
  EXPECT_EQ(fixed.dwFileVersionLS, 0x00000002u);  // .0.2
  EXPECT_EQ(fixed.dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fixed.dwProductVersionLS, 0x00000001u);
  EXPECT_EQ(fixed.dwFileFlagsMask, 0x3Fu);
  EXPECT_EQ(fixed.dwFileFlags, 0u);
  EXPECT_EQ(fixed.dwFileOS, 4u);       // VOS__WINDOWS32
  EXPECT_EQ(fixed.dwFileType, 1u);     // VFT_APP
  EXPECT_EQ(fixed.dwFileSubtype, 0u);  // VFT2_UNKNOWN
  EXPECT_EQ(fixed.dwFileDateMS, 0u);
  EXPECT_EQ(fixed.dwFileDateLS, 0u);
}

// The translation pair names the one StringFileInfo table: Chinese (PRC),
// code page 1200 (UTF-16).
TEST_F(ProductResources, TranslationIsChineseUnicode) {
  std::vector<uint8_t> info;
  ASSERT_TRUE(ReadVersionInfo(info));
  void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", &value, &length));
  ASSERT_EQ(length, 4u);
  WORD pair[2] = {};
  std::memcpy(pair, value, sizeof pair);
  EXPECT_EQ(pair[0], 0x0804);
  EXPECT_EQ(pair[1], 0x04B0);
}

struct VersionText {
  const wchar_t* name;
  const wchar_t* text;
};

// Empty values are listed as well: they must be present, so that a query
// for them succeeds with an empty text rather than failing. LegalCopyright,
// the maker's notice, is only required to be there and not empty.
const VersionText kVersionTexts[] = {
    {L"Comments", L""},
    {L"CompanyName", L""},
    {L"FileDescription", L"Quorvane Microsoft 基础类应用程序"},
    {L"FileVersion", L"1, 0, 0, 2"},
    {L"InternalName", L"Quorvane"},
    {L"LegalTrademarks", L""},
    {L"OriginalFilename", L"Quorvane.EXE"},
    {L"PrivateBuild", L""},
    {L"ProductName", L"Quorvane 应用程序"},
    {L"ProductVersion", L"1, 0, 0, 1"},
    {L"SpecialBuild", L""},
};

TEST_F(ProductResources, VersionTexts) {
  std::vector<uint8_t> info;
  ASSERT_TRUE(ReadVersionInfo(info));
  for (const VersionText& expected : kVersionTexts) {
    SCOPED_TRACE(Utf8(expected.name));
    const VersionString value = QueryVersionString(info, expected.name);
    ASSERT_TRUE(value.present);
    EXPECT_EQ(value.text, expected.text) << "read \"" << Utf8(value.text) << '"';
    EXPECT_EQ(value.length, std::wcslen(expected.text) + 1);
    EXPECT_TRUE(value.terminated);
  }
  const VersionString copyright = QueryVersionString(info, L"LegalCopyright");
  ASSERT_TRUE(copyright.present);
  EXPECT_FALSE(copyright.text.empty());
  EXPECT_EQ(copyright.length, copyright.text.size() + 1);
  EXPECT_TRUE(copyright.terminated);
}

// A name the table does not have must fail, or the presence checks above
// would prove nothing.
TEST_F(ProductResources, VersionQueryForAMissingNameFails) {
  std::vector<uint8_t> info;
  ASSERT_TRUE(ReadVersionInfo(info));
  EXPECT_FALSE(QueryVersionString(info, L"NoSuchName").present);
}

// Whatever the file holds, beyond the resources checked above, is tagged
// 0x0804 too: DialogBox, LoadString and LoadIcon choose among languages by
// the user's, so a copy in another language would be shown on some systems.
struct ResourceKey {
  std::string type;
  std::string name;
  bool operator<(const ResourceKey& other) const {
    return std::tie(type, name) < std::tie(other.type, other.name);
  }
};

std::string ResourceName(LPCSTR name) {
  if (IS_INTRESOURCE(name)) return "#" + std::to_string(reinterpret_cast<uintptr_t>(name));
  return name;
}

BOOL CALLBACK CollectLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR out) {
  reinterpret_cast<std::set<WORD>*>(out)->insert(language);
  return TRUE;
}

// Each resource of the file with the languages it exists in.
struct Inventory {
  std::vector<std::pair<ResourceKey, std::set<WORD>>> entries;
};

BOOL CALLBACK CollectName(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR out) {
  std::set<WORD> languages;
  EnumResourceLanguagesA(module, type, name, CollectLanguage,
                         reinterpret_cast<LONG_PTR>(&languages));
  reinterpret_cast<Inventory*>(out)->entries.push_back(
      {ResourceKey{ResourceName(type), ResourceName(name)}, languages});
  return TRUE;
}

BOOL CALLBACK CollectType(HMODULE module, LPSTR type, LONG_PTR out) {
  EnumResourceNamesA(module, type, CollectName, out);
  return TRUE;
}

TEST_F(ProductResources, EveryResourceIsTaggedChineseOnly) {
  Inventory inventory;
  ASSERT_TRUE(EnumResourceTypesA(module_, CollectType, reinterpret_cast<LONG_PTR>(&inventory)));
  std::set<ResourceKey> names;
  for (const auto& entry : inventory.entries) {
    SCOPED_TRACE(entry.first.type + "/" + entry.first.name);
    names.insert(entry.first);
    EXPECT_EQ(entry.second, std::set<WORD>{kChineseSimplified});
  }
  const ResourceKey expected[] = {
      {"#5", "#100"},   // RT_DIALOG
      {"#5", "#102"},   // RT_DIALOG
      {"#6", "#7"},     // RT_STRING block of 96..111
      {"#14", "#128"},  // RT_GROUP_ICON
      {"#2", "#129"},   // RT_BITMAP
      {"#16", "#1"},    // RT_VERSION
  };
  for (const ResourceKey& key : expected) {
    EXPECT_EQ(names.count(key), 1u) << key.type << "/" << key.name << " not enumerated";
  }
}

}  // namespace
