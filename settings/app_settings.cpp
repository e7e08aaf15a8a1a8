// The application settings file.
#include "settings/app_settings.h"

#include <limits>
#include <utility>

#include "settings/text.h"
#include "settings/text_file.h"

namespace pelrin {
namespace {

constexpr std::u16string_view kHeader = u"[Setting]";

constexpr const char16_t* kKeys[kAppSettingCount] = {
    u"Sensor",           u"PreST",            u"Mac_ID",           u"DataChange",
    u"CurrentProfile",   u"ProfileShowCount", u"ProfileShowList0", u"ProfileShowList1",
    u"ProfileShowList2", u"ProfileShowList3", u"ProfileShowList4", u"ProfileSlot0URL",
    u"ProfileSlot1URL",  u"ProfileSlot2URL",  u"ProfileSlot3URL",  u"ProfileSlot4URL",
};

constexpr const char16_t* kDefaultValues[kProfileSlot0Url] = {
    u"0x3325", u"0xCCDA", u"0xFFFFFFFF", u"0x1234", u"0", u"3", u"0", u"1", u"2", u"3", u"4",
};

int ToInt(long long value) {
  if (value > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (value < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(value);
}

std::u16string DefaultValue(std::size_t n, const std::filesystem::path& dataFolder) {
  if (n < kProfileSlot0Url) return kDefaultValues[n];
  const auto slot = n - kProfileSlot0Url;
  return FromUtf8((dataFolder / "config" / ("default" + std::to_string(slot) + ".psf")).string());
}

// A line feed inside a value would split it into two lines and shift every later pair.
std::u16string OneLine(std::u16string text) {
  for (auto& unit : text) {
    if (unit == u'\n') unit = u' ';
  }
  return text;
}

}  // namespace

const std::u16string& AppSettings::Key(std::size_t n) const {
  static const std::u16string kEmpty;
  return n < kAppSettingCount ? pairs[n].key : kEmpty;
}

const std::u16string& AppSettings::Value(std::size_t n) const {
  static const std::u16string kEmpty;
  return n < kAppSettingCount ? pairs[n].value : kEmpty;
}

void AppSettings::SetValue(std::size_t n, std::u16string value) {
  if (n < kAppSettingCount) pairs[n].value = std::move(value);
}

std::uint16_t AppSettings::Sensor() const {
  return static_cast<std::uint16_t>(ParseLeadingInteger(pairs[kSensor].value, 16));
}

std::uint16_t AppSettings::PreST() const {
  return static_cast<std::uint16_t>(ParseLeadingInteger(pairs[kPreST].value, 16));
}

int AppSettings::CurrentProfile() const { return ToInt(ParseLeadingInteger(pairs[kCurrentProfile].value, 10)); }

int AppSettings::ProfileShowCount() const {
  return ToInt(ParseLeadingInteger(pairs[kProfileShowCount].value, 10));
}

int AppSettings::ProfileShowList(std::size_t position) const {
  if (position >= static_cast<std::size_t>(kProfileCount)) return -1;
  return ToInt(ParseLeadingInteger(pairs[kProfileShowList0 + position].value, 10));
}

std::vector<int> AppSettings::ShownSlots() const {
  std::vector<int> slots;
  const int count = ProfileShowCount();
  for (int p = 0; p < count && p < kProfileCount; ++p) {
    const int slot = ProfileShowList(static_cast<std::size_t>(p));
    if (slot >= 0 && slot < kProfileCount) slots.push_back(slot);
  }
  return slots;
}

std::filesystem::path AppSettings::SlotPath(int slot) const {
  if (slot < 0 || slot >= kProfileCount) return {};
  return std::filesystem::path(ToUtf8(pairs[kProfileSlot0Url + static_cast<std::size_t>(slot)].value));
}

void AppSettings::SetSensor(std::uint16_t code) { pairs[kSensor].value = FormatSensorCode(code); }
void AppSettings::SetPreST(std::uint16_t mark) { pairs[kPreST].value = FormatSensorCode(mark); }
void AppSettings::SetCurrentProfile(int slot) { pairs[kCurrentProfile].value = FormatDecimal(slot); }
void AppSettings::SetProfileShowCount(int count) { pairs[kProfileShowCount].value = FormatDecimal(count); }

void AppSettings::SetProfileShowList(std::size_t position, int slot) {
  if (position < static_cast<std::size_t>(kProfileCount)) pairs[kProfileShowList0 + position].value = FormatDecimal(slot);
}

std::u16string FormatSensorCode(std::uint16_t code) {
  std::u16string digits = FormatHex(code, 0);
  while (digits.size() < 4) digits.insert(digits.begin(), u' ');
  return u"0x" + digits;
}

void ResetAppSettings(AppSettings& settings, const std::filesystem::path& dataFolder) {
  for (std::size_t n = 0; n < kAppSettingCount; ++n) settings.pairs[n] = {kKeys[n], DefaultValue(n, dataFolder)};
}

AppSettings DefaultAppSettings(const std::filesystem::path& dataFolder) {
  AppSettings settings;
  ResetAppSettings(settings, dataFolder);
  return settings;
}

std::optional<AppSettings> ParseAppSettings(std::string_view bytes) {
  const std::vector<std::u16string> lines = SplitUtf16Lines(bytes);
  if (lines.empty() || lines.front() != kHeader) return std::nullopt;
  if (lines.size() - 1 > kAppSettingCount) return std::nullopt;
  AppSettings settings;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::u16string& line = lines[i];
    const auto equals = line.find(u'=');
    if (equals == std::u16string::npos || equals == 0 || equals + 1 == line.size()) return std::nullopt;
    settings.pairs[i - 1] = {line.substr(0, equals), line.substr(equals + 1)};
  }
  return settings;
}

std::optional<AppSettings> LoadAppSettings(const std::filesystem::path& file) {
  const auto bytes = ReadFileBytes(file);
  if (!bytes) return std::nullopt;
  return ParseAppSettings(*bytes);
}

std::vector<std::u16string> AppSettingsLines(const AppSettings& settings) {
  std::vector<std::u16string> lines;
  lines.reserve(kAppSettingCount + 1);
  lines.emplace_back(kHeader);
  for (const auto& pair : settings.pairs) lines.push_back(OneLine(pair.key + u"=" + pair.value));
  return lines;
}

bool SaveAppSettings(const AppSettings& settings, const std::filesystem::path& file) {
  return WriteUtf16LinesFile(file, AppSettingsLines(settings));
}

bool RepairSlotSettings(AppSettings& settings) {
  bool changed = false;
  auto restore = [&](std::size_t n) {
    settings.pairs[n] = {kKeys[n], kDefaultValues[n]};
    changed = true;
  };
  const int current = settings.CurrentProfile();
  if (current < 0 || current >= kProfileCount) restore(kCurrentProfile);
  const int count = settings.ProfileShowCount();
  if (count < 1 || count > kProfileCount) restore(kProfileShowCount);
  unsigned seen = 0;
  for (std::size_t p = 0; p < static_cast<std::size_t>(kProfileCount); ++p) {
    const int slot = settings.ProfileShowList(p);
    if (slot >= 0 && slot < kProfileCount) seen |= 1u << slot;
  }
  if (seen != (1u << kProfileCount) - 1) {
    for (std::size_t p = 0; p < static_cast<std::size_t>(kProfileCount); ++p) restore(kProfileShowList0 + p);
  }
  return changed;
}

}  // namespace pelrin
