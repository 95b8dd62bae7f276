#include "Bitmap.h"

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "qt/SurfacePixels.h"

namespace {

QImage::Format QtFormat(TPixelFormat Format) {
  return Format == pf24bit ? QImage::Format_BGR888 : QImage::Format_RGB32;
}

// A zero-filled image, or the null image when either side is zero.
QImage BlankImage(int Width, int Height, TPixelFormat Format) {
  if (Width <= 0 || Height <= 0) return QImage();
  QImage Image(Width, Height, QtFormat(Format));
  Image.fill(0);
  return Image;
}

// The bits per pixel that a BMP file's header declares, or 0 when Data is no BMP.
int BmpBitCount(const QByteArray& Data) {
  if (Data.size() < 30 || !Data.startsWith("BM")) return 0;
  auto U16 = [&](int At) { return static_cast<uchar>(Data[At]) | (static_cast<uchar>(Data[At + 1]) << 8); };
  // The old 12-byte core header keeps the bit count at another place than the later ones.
  const int HeaderSize = U16(14);
  return HeaderSize == 12 ? U16(24) : U16(28);
}

// Source in Format. Between the 32-bit and 24-bit layouts the rows are copied here:
// Qt converts an image this large on its thread pool, and starting those threads
// costs more than the copy.
QImage Converted(const QImage& Source, QImage::Format Format) {
  if (Source.format() == Format) return Source;
  const bool plain = (Source.format() == QImage::Format_RGB32 && Format == QImage::Format_BGR888) ||
                     (Source.format() == QImage::Format_BGR888 && Format == QImage::Format_RGB32);
  if (!plain) return Source.convertToFormat(Format);
  QImage Result(Source.size(), Format);
  surface::Copy(Result, Result.rect(), Source, Source.rect(), Result.rect());
  return Result;
}

}  // namespace

TBitmap::TBitmap() : FImage(std::make_unique<QImage>()) { Reattach(); }

TBitmap::~TBitmap() = default;

int TBitmap::Width() const { return FWidth; }

int TBitmap::Height() const { return FHeight; }

void TBitmap::Reattach() { FCanvas.Attach(FImage.get(), TPoint{0, 0}, TRect{0, 0, FWidth, FHeight}); }

void TBitmap::SetSize(int Width, int Height) {
  Width = std::max(0, Width);
  Height = std::max(0, Height);
  if (Width == FWidth && Height == FHeight) return;
  QImage Image = BlankImage(Width, Height, FFormat);
  if (!Image.isNull() && !FImage->isNull()) {
    const size_t RowBytes = static_cast<size_t>(std::min(Width, FImage->width())) * (FFormat == pf24bit ? 3 : 4);
    for (int Y = 0; Y < std::min(Height, FImage->height()); ++Y)
      std::memcpy(Image.scanLine(Y), FImage->constScanLine(Y), RowBytes);
  }
  *FImage = std::move(Image);
  FWidth = Width;
  FHeight = Height;
  Reattach();
}

void TBitmap::SetPixelFormat(TPixelFormat Format) {
  if (Format == FFormat) return;
  FFormat = Format;
  if (!FImage->isNull()) *FImage = Converted(*FImage, QtFormat(Format));
  Reattach();
}

std::uint8_t* TBitmap::ScanLine(int Row) {
  if (Row < 0 || Row >= FImage->height()) throw std::out_of_range("TBitmap::ScanLine: row " + std::to_string(Row));
  return FImage->scanLine(Row);
}

const std::uint8_t* TBitmap::ScanLine(int Row) const {
  if (Row < 0 || Row >= FImage->height()) throw std::out_of_range("TBitmap::ScanLine: row " + std::to_string(Row));
  return FImage->constScanLine(Row);
}

TCanvas& TBitmap::Canvas() { return FCanvas; }

void TBitmap::Assign(const TBitmap& Source) {
  if (&Source == this) return;
  // Qt shares the pixels until either side writes to them.
  *FImage = *Source.FImage;
  // The source's drawing copy serves while the pixels are shared.
  if (Source.FDrawingCopy && Source.FDrawingCopyKey == Source.FImage->cacheKey()) {
    FDrawingCopy = std::make_unique<QImage>(*Source.FDrawingCopy);
    FDrawingCopyKey = Source.FDrawingCopyKey;
  } else {
    FDrawingCopy.reset();
  }
  FFormat = Source.FFormat;
  FWidth = Source.FWidth;
  FHeight = Source.FHeight;
  Transparent = Source.Transparent;
  Reattach();
}

bool TBitmap::LoadFromFile(const std::string& Path) {
  QFile File(QString::fromStdString(Path));
  if (!File.open(QIODevice::ReadOnly)) return false;
  const QByteArray Data = File.readAll();
  const int BitCount = BmpBitCount(Data);
  if (BitCount == 0) return false;
  QImage Image = QImage::fromData(Data, "BMP");
  if (Image.isNull()) return false;
  // Files of 24 bits or fewer hold no fourth byte, so they load as 24-bit bitmaps.
  FFormat = BitCount == 32 ? pf32bit : pf24bit;
  *FImage = Converted(Image, QtFormat(FFormat));
  FWidth = FImage->width();
  FHeight = FImage->height();
  Reattach();
  // A 24-bit picture is drawn from a 32-bit copy; the file was read as one.
  if (FFormat == pf24bit && Image.format() == QImage::Format_RGB32) {
    FDrawingCopy = std::make_unique<QImage>(std::move(Image));
    FDrawingCopyKey = FImage->cacheKey();
  }
  return true;
}

const QImage* TBitmap::Image() const { return FImage.get(); }

const QImage* TBitmap::DrawingImage() const {
  if (FFormat != pf24bit || !FImage || FImage->isNull()) return FImage.get();
  // Qt changes an image's cache key whenever its pixels may have been written.
  if (!FDrawingCopy || FDrawingCopyKey != FImage->cacheKey()) {
    FDrawingCopy = std::make_unique<QImage>(Converted(*FImage, QImage::Format_RGB32));
    FDrawingCopyKey = FImage->cacheKey();
  }
  return FDrawingCopy.get();
}

TPicture::TPicture() = default;

TPicture::~TPicture() = default;

void TPicture::Changed() {
  if (OnChange) OnChange(nullptr);
}

TBitmap* TPicture::Bitmap() {
  if (!FBitmap) {
    FBitmap = std::make_unique<TBitmap>();
    Changed();
  }
  return FBitmap.get();
}

void TPicture::Assign(const TPicture& Source) {
  if (&Source == this) return;
  if (!Source.FBitmap || Source.FBitmap->Empty()) {
    Clear();
    return;
  }
  if (!FBitmap) FBitmap = std::make_unique<TBitmap>();
  FBitmap->Assign(*Source.FBitmap);
  Changed();
}

bool TPicture::LoadFromFile(const std::string& Path) {
  auto Loaded = std::make_unique<TBitmap>();
  if (!Loaded->LoadFromFile(Path)) return false;
  FBitmap = std::move(Loaded);
  Changed();
  return true;
}

void TPicture::Clear() {
  FBitmap.reset();
  Changed();
}
