#include "framework/Bitmap.h"

#include <QImage>

TBitmap::TBitmap() : image_(std::make_unique<QImage>()) {}

TBitmap::TBitmap(int width, int height, std::uint32_t fill)
    : image_(std::make_unique<QImage>(width, height, QImage::Format_ARGB32)) {
  image_->fill(fill);
}

TBitmap::TBitmap(const QImage& image)
    : image_(std::make_unique<QImage>(image.convertToFormat(QImage::Format_ARGB32))) {}

TBitmap::TBitmap(const TBitmap& other) : image_(std::make_unique<QImage>(*other.image_)) {}

TBitmap& TBitmap::operator=(const TBitmap& other) {
  *image_ = *other.image_;
  return *this;
}

TBitmap::~TBitmap() = default;

int TBitmap::Width() const { return image_->width(); }
int TBitmap::Height() const { return image_->height(); }
bool TBitmap::IsNull() const { return image_->isNull(); }

std::uint32_t TBitmap::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= image_->width() || y >= image_->height()) return 0;
  return reinterpret_cast<const std::uint32_t*>(image_->constScanLine(y))[x];
}

bool TBitmap::Save(const char* path) const { return image_->save(QString::fromUtf8(path), "PNG"); }

QImage& TBitmap::Image() { return *image_; }
const QImage& TBitmap::Image() const { return *image_; }
