#include "session/kept_settings.h"

#include <QStringList>
#include <algorithm>

#include "publish/bench_name.h"
#include "publish/broker_url.h"
#include "views/grid_model.h"

namespace lcr {

namespace {

const QString kRateKey = QStringLiteral("settings/samplesPerMinute");
const QString kPointsKey = QStringLiteral("settings/pointsPerPage");
const QString kPortKey = QStringLiteral("settings/port");
const QString kPublishKey = QStringLiteral("settings/publishTo");
const QString kBenchKey = QStringLiteral("settings/bench");
const QString kLeftKey = QStringLiteral("window/left");
const QString kTopKey = QStringLiteral("window/top");
const QString kWidthKey = QStringLiteral("window/width");
const QString kHeightKey = QStringLiteral("window/height");
const QString kMaximizedKey = QStringLiteral("window/maximized");
const QString kColumnsKey = QStringLiteral("grid/columnWidths");
const QString kLimitsFunctionKey = QStringLiteral("limits/function");
const QString kNominalKey = QStringLiteral("limits/nominal");
const QString kToleranceKey = QStringLiteral("limits/tolerance");
const QString kLowKey = QStringLiteral("limits/low");
const QString kHighKey = QStringLiteral("limits/high");

constexpr int kGripWidth = 100;  // how much of a window's top must be on a screen
constexpr int kGripHeight = 40;
constexpr qsizetype kMaxPortLength = 1024;
constexpr qsizetype kMaxLimitLength = 64;

// A whole number written in decimal, inside [low, high].
std::optional<int> WholeIn(const QString& text, int low, int high) {
  bool ok = false;
  const int value = text.trimmed().toInt(&ok, 10);
  if (!ok || value < low || value > high) return std::nullopt;
  return value;
}

std::optional<int> ReadWhole(const KeyValueStore& store, const QString& key, int low, int high) {
  const std::optional<QString> text = store.Read(key);
  return text ? WholeIn(*text, low, high) : std::nullopt;
}

// A device path a port can be opened on: printable, of a sane length.
std::string PortChoiceOf(const std::optional<QString>& text) {
  if (!text) return {};
  const QString port = text->trimmed();
  if (port.size() > kMaxPortLength) return {};
  if (std::any_of(port.begin(), port.end(), [](QChar ch) { return !ch.isPrint(); })) return {};
  return port.toStdString();
}

// A broker URL: printable, of a sane length, and of a scheme we publish to.
std::string PublishToOf(const std::optional<QString>& text) {
  const std::string url = PortChoiceOf(text);
  return HasBrokerScheme(url) ? url : std::string();
}

// A bench name is one topic level: no separators and no wildcards.
std::string BenchNameOf(const std::optional<QString>& text) {
  const std::string name = PortChoiceOf(text);
  return IsBenchName(name) ? name : std::string();
}

std::vector<int> ColumnWidthsOf(const std::optional<QString>& text) {
  if (!text) return {};
  const QStringList parts = text->split(u' ', Qt::SkipEmptyParts);
  if (parts.size() != kGridColumnCount) return {};
  std::vector<int> widths;
  for (const QString& part : parts) {
    const std::optional<int> width = WholeIn(part, kMinColumnWidth, kMaxColumnWidth);
    if (!width) return {};
    widths.push_back(*width);
  }
  return widths;
}

std::optional<LayoutRect> WindowOf(const KeyValueStore& store, const std::vector<LayoutRect>& screens) {
  const std::optional<int> left = ReadWhole(store, kLeftKey, -kMaxWindowSide, kMaxWindowSide);
  const std::optional<int> top = ReadWhole(store, kTopKey, -kMaxWindowSide, kMaxWindowSide);
  const std::optional<int> width = ReadWhole(store, kWidthKey, kMinWindowSide, kMaxWindowSide);
  const std::optional<int> height = ReadWhole(store, kHeightKey, kMinWindowSide, kMaxWindowSide);
  if (!left || !top || !width || !height) return std::nullopt;
  const LayoutRect window{*left, *top, *width, *height};
  if (!ReachableOnScreens(window, screens)) return std::nullopt;
  return window;
}

// The function is a caption's GBK bytes, kept percent-encoded so the file
// stays plain text; the limits are kept as typed and read again as typed.
// Anything that does not read as limits of a function gives none.
FunctionLimits LimitsOf(const KeyValueStore& store) {
  const std::optional<QString> function = store.Read(kLimitsFunctionKey);
  if (!function || function->size() > kMaxLimitLength) return {};
  const QByteArray key = QByteArray::fromPercentEncoding(function->toLatin1());
  if (std::any_of(key.begin(), key.end(), [](char ch) { return static_cast<unsigned char>(ch) < ' '; })) return {};
  LimitTexts texts;
  const std::pair<const QString*, std::string*> fields[] = {
      {&kNominalKey, &texts.nominal}, {&kToleranceKey, &texts.tolerance}, {&kLowKey, &texts.low}, {&kHighKey, &texts.high}};
  for (const auto& [name, text] : fields) {
    const QString value = store.Read(*name).value_or(QString());
    if (value.size() > kMaxLimitLength) return {};
    *text = value.toStdString();
  }
  std::optional<FunctionLimits> limits = MakeFunctionLimits(key.toStdString(), texts, nullptr);
  return limits ? *limits : FunctionLimits{};
}

void WriteLimits(KeyValueStore& store, const FunctionLimits& limits) {
  const bool any = limits.limits.Any();
  const QByteArray key(limits.function.data(), qsizetype(limits.function.size()));
  store.Write(kLimitsFunctionKey, any ? QString::fromLatin1(key.toPercentEncoding()) : QString());
  store.Write(kNominalKey, any ? QString::fromStdString(limits.texts.nominal) : QString());
  store.Write(kToleranceKey, any ? QString::fromStdString(limits.texts.tolerance) : QString());
  store.Write(kLowKey, any ? QString::fromStdString(limits.texts.low) : QString());
  store.Write(kHighKey, any ? QString::fromStdString(limits.texts.high) : QString());
}

QString Whole(int value) { return QString::number(value); }

}  // namespace

bool ReachableOnScreens(const LayoutRect& window, const std::vector<LayoutRect>& screens) {
  return std::any_of(screens.begin(), screens.end(), [&](const LayoutRect& s) {
    const long overlapLeft = std::max<long>(window.left, s.left);
    const long overlapRight = std::min<long>(long(window.left) + window.width, long(s.left) + s.width);
    return overlapRight - overlapLeft >= kGripWidth && window.top >= s.top &&
           long(window.top) + kGripHeight <= long(s.top) + s.height;
  });
}

KeptSettings LoadKeptSettings(const KeyValueStore& store, const std::vector<LayoutRect>& screens) {
  KeptSettings kept;
  kept.ratePerMinute = ReadWhole(store, kRateKey, kMinRatePerMinute, kMaxRatePerMinute).value_or(kept.ratePerMinute);
  kept.pointsPerPage = ReadWhole(store, kPointsKey, kMinPointsPerPage, kMaxPointsPerPage).value_or(kept.pointsPerPage);
  kept.port = PortChoiceOf(store.Read(kPortKey));
  kept.publishTo = PublishToOf(store.Read(kPublishKey));
  kept.benchName = BenchNameOf(store.Read(kBenchKey));
  kept.window = WindowOf(store, screens);
  const std::optional<QString> maximized = store.Read(kMaximizedKey);
  kept.maximized = maximized && (*maximized == QLatin1String("true") || *maximized == QLatin1String("1"));
  kept.columnWidths = ColumnWidthsOf(store.Read(kColumnsKey));
  kept.limits = LimitsOf(store);
  return kept;
}

void SaveKeptSettings(KeyValueStore& store, const KeptSettings& kept) {
  store.Write(kRateKey, Whole(kept.ratePerMinute));
  store.Write(kPointsKey, Whole(kept.pointsPerPage));
  store.Write(kPortKey, QString::fromStdString(kept.port));
  store.Write(kPublishKey, QString::fromStdString(kept.publishTo));
  store.Write(kBenchKey, QString::fromStdString(kept.benchName));
  if (kept.window) {
    store.Write(kLeftKey, Whole(kept.window->left));
    store.Write(kTopKey, Whole(kept.window->top));
    store.Write(kWidthKey, Whole(kept.window->width));
    store.Write(kHeightKey, Whole(kept.window->height));
  }
  store.Write(kMaximizedKey, kept.maximized ? QStringLiteral("true") : QStringLiteral("false"));
  QStringList widths;
  for (int width : kept.columnWidths) widths.append(Whole(width));
  store.Write(kColumnsKey, widths.join(u' '));
  WriteLimits(store, kept.limits);
}

}  // namespace lcr
