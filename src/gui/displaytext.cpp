// SPDX-License-Identifier: MIT
#include "displaytext.h"

#include <QGuiApplication>
#include <QPalette>
#include <QStringDecoder>
#include <QStringEncoder>

#include <array>
#include <memory>

namespace qm {

namespace {

// Colours of the classic Windows scheme for system colour indexes without a palette role.
QColor ClassicSystemColor(unsigned index) {
  switch (index) {
    case 1: return QColor(0, 128, 128);     // desktop
    case 2: return QColor(0, 0, 128);       // active caption
    case 3: return QColor(128, 128, 128);   // inactive caption
    case 6: return QColor(0, 0, 0);         // window frame
    case 9: return QColor(255, 255, 255);   // caption text
    case 10:                                 // active border
    case 11: return QColor(192, 192, 192);  // inactive border
    case 12: return QColor(128, 128, 128);  // application workspace
    case 19: return QColor(192, 192, 192);  // inactive caption text
    default: return QColor(0, 0, 0);
  }
}

TEncodingSettings& Encoding() {
  static TEncodingSettings settings;
  return settings;
}

TCodePage Resolved(TCodePage page, std::string_view bytes) {
  if (page != TCodePage::Auto) return page;
  return ResolveCodePage(Encoding(), bytes);
}

constexpr std::size_t kCodePageCount = static_cast<std::size_t>(TCodePage::Utf8) + 1;

// One converter per code page, made on first use (opening an ICU converter is not free).
QStringDecoder& DecoderOf(TCodePage page) {
  static std::array<std::unique_ptr<QStringDecoder>, kCodePageCount> decoders;
  auto& decoder = decoders[static_cast<std::size_t>(page)];
  if (!decoder) {
    decoder = std::make_unique<QStringDecoder>(CodePageInfo(page).Converter.data(),
                                               QStringConverter::Flag::Stateless);
  }
  return *decoder;
}

QStringEncoder& EncoderOf(TCodePage page) {
  static std::array<std::unique_ptr<QStringEncoder>, kCodePageCount> encoders;
  auto& encoder = encoders[static_cast<std::size_t>(page)];
  if (!encoder) {
    encoder = std::make_unique<QStringEncoder>(CodePageInfo(page).Converter.data(),
                                               QStringConverter::Flag::Stateless);
  }
  return *encoder;
}

}  // namespace

const TEncodingSettings& DisplayEncoding() { return Encoding(); }

void SetDisplayEncoding(const TEncodingSettings& settings) {
  if (Encoding() == settings) return;
  Encoding() = settings;
  emit DisplayEncodingNotifier().Changed();
}

TDisplayEncodingNotifier& DisplayEncodingNotifier() {
  static TDisplayEncodingNotifier notifier;
  return notifier;
}

bool CanDecode(TCodePage page) {
  switch (page) {
    case TCodePage::Auto:
    case TCodePage::Windows1252:
    case TCodePage::Utf8: return true;
    default: return DecoderOf(page).isValid() && EncoderOf(page).isValid();
  }
}

QString DecodeBytes(std::string_view bytes, TCodePage page) {
  switch (page = Resolved(page, bytes)) {
    case TCodePage::Auto:
    case TCodePage::Windows1252: return FromWindows1252(bytes);
    case TCodePage::Utf8: return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    default: break;
  }
  QStringDecoder& decoder = DecoderOf(page);
  if (!decoder.isValid()) return FromWindows1252(bytes);
  decoder.resetState();
  return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string EncodeText(const QString& text, TCodePage page) {
  if (page == TCodePage::Auto) page = Encoding().AutoFallback;
  switch (page) {
    case TCodePage::Auto:
    case TCodePage::Windows1252: return ToWindows1252(text);
    case TCodePage::Utf8: return text.toUtf8().toStdString();
    default: break;
  }
  QStringEncoder& encoder = EncoderOf(page);
  if (!encoder.isValid()) return ToWindows1252(text);
  encoder.resetState();
  return QByteArray(encoder.encode(text)).toStdString();
}

QString FromDisplayBytes(std::string_view bytes) { return DecodeBytes(bytes, Encoding().CodePage); }

std::string ToDisplayBytes(const QString& text) { return EncodeText(text, Encoding().CodePage); }

QColor ToQColor(TColor color, const QPalette& palette) {
  if (color & clSystemColor) {
    const unsigned index = color & 0xFF;
    switch (index) {
      case 0: return palette.color(QPalette::Button);            // scroll bar
      case 4: return palette.color(QPalette::Window);            // menu
      case 5: return palette.color(QPalette::Base);              // window
      case 7: return palette.color(QPalette::WindowText);        // menu text
      case 8: return palette.color(QPalette::Text);              // window text
      case 13: return palette.color(QPalette::Highlight);
      case 14: return palette.color(QPalette::HighlightedText);
      case 15: return palette.color(QPalette::Button);           // button face
      case 16: return palette.color(QPalette::Mid);              // button shadow
      case 17: return palette.color(QPalette::Disabled, QPalette::Text);  // gray text
      case 18: return palette.color(QPalette::ButtonText);
      case 20: return palette.color(QPalette::Light);            // button highlight
      case 21: return palette.color(QPalette::Shadow);           // 3D dark shadow
      case 22: return palette.color(QPalette::Midlight);         // 3D light
      case 23: return palette.color(QPalette::ToolTipText);      // info text
      case 24: return palette.color(QPalette::ToolTipBase);      // info background
      default: return ClassicSystemColor(index);
    }
  }
  // The high byte of a plain colour selects a palette mode on Windows; only the RGB part counts.
  return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

QColor ToQColor(TColor color) { return ToQColor(color, QGuiApplication::palette()); }

QString FromWindows1252(std::string_view bytes) {
  QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
  QChar* out = text.data();
  for (char byte : bytes) *out++ = QChar(Cp1252Char(static_cast<unsigned char>(byte)));
  return text;
}

std::string ToWindows1252(const QString& text) {
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(text.size()));
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar ch = text.at(i);
    // A surrogate pair is one character beyond the code page: one '?' for both halves.
    if (ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) ++i;
    const int byte = Cp1252Byte(ch.unicode());
    bytes.push_back(byte < 0 ? '?' : static_cast<char>(byte));
  }
  return bytes;
}

}  // namespace qm
