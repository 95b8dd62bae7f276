// Off-screen pictures with direct row access, and the picture container.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "Canvas.h"
#include "Object.h"

class QImage;

class TGraphic {
 public:
  virtual ~TGraphic() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual bool Empty() const { return Width() == 0 || Height() == 0; }
  bool Transparent = false;
  // The pixels as a Qt image, for the toolkit's own drawing code.
  virtual const QImage* Image() const = 0;
  // The pixels in the form fastest to draw onto a 32-bit surface.
  virtual const QImage* DrawingImage() const { return Image(); }
};

enum TPixelFormat : std::uint8_t { pf24bit, pf32bit };

// 32-bit rows hold four bytes a pixel: blue, green, red, fourth byte.
// 24-bit rows hold three: blue, green, red. Rows are top row first.
class TBitmap : public TGraphic {
 public:
  TBitmap();
  ~TBitmap() override;
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  int Width() const override;
  int Height() const override;
  void SetSize(int Width, int Height);
  void SetWidth(int W) { SetSize(W, Height()); }
  void SetHeight(int H) { SetSize(Width(), H); }
  TPixelFormat PixelFormat() const { return FFormat; }
  void SetPixelFormat(TPixelFormat Format);
  std::uint8_t* ScanLine(int Row);
  const std::uint8_t* ScanLine(int Row) const;
  // The canvas drawing on this bitmap; it follows size changes.
  TCanvas& Canvas();
  void Assign(const TBitmap& Source);
  // Loads an uncompressed BMP from a Qt resource path or a file; false when it cannot.
  bool LoadFromFile(const std::string& Path);
  const QImage* Image() const override;
  // A 24-bit bitmap keeps a 32-bit copy for drawing, made again only after its pixels change.
  const QImage* DrawingImage() const override;

 private:
  void Reattach();
  TPixelFormat FFormat = pf32bit;
  // The size is kept apart from the image: a bitmap may be 0 x H or W x 0, which Qt
  // cannot hold, and a width set before the height must survive.
  int FWidth = 0;
  int FHeight = 0;
  std::unique_ptr<QImage> FImage;
  TCanvas FCanvas;
  mutable std::unique_ptr<QImage> FDrawingCopy;
  mutable std::int64_t FDrawingCopyKey = 0;
};

// Holds one graphic and reports every change.
class TPicture {
 public:
  TPicture();
  ~TPicture();
  TPicture(const TPicture&) = delete;
  TPicture& operator=(const TPicture&) = delete;

  TGraphic* Graphic() const { return FBitmap.get(); }
  TBitmap* Bitmap();  // creates an empty bitmap when there is none
  int Width() const { return FBitmap ? FBitmap->Width() : 0; }
  int Height() const { return FBitmap ? FBitmap->Height() : 0; }
  void Assign(const TPicture& Source);
  bool LoadFromFile(const std::string& Path);
  void Clear();

  std::function<void(TObject* Sender)> OnChange;

 private:
  void Changed();
  std::unique_ptr<TBitmap> FBitmap;
};
