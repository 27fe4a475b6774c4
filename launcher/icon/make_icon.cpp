// Draws the launcher's icon and writes it as an .ico file: make_icon OUTPUT.ico
// One image, 128 x 68 pixels, 24-bit colour: a dusk sky, a wandering price line over a
// baseline, and a weather vane's arrow pointing along it.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int kWidth = 128;
constexpr int kHeight = 68;

struct Rgb {
  double r, g, b;
};

Rgb Mix(Rgb a, Rgb b, double t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }

// Distance from point p to the segment a-b.
double SegmentDistance(double px, double py, double ax, double ay, double bx, double by) {
  double dx = bx - ax, dy = by - ay;
  double t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy);
  t = t < 0 ? 0 : (t > 1 ? 1 : t);
  double x = ax + t * dx - px, y = ay + t * dy - py;
  return std::sqrt(x * x + y * y);
}

// Coverage of a line of the given half width at distance d, smoothed over one pixel.
double Ink(double d, double halfWidth) {
  double c = halfWidth + 0.5 - d;
  return c < 0 ? 0 : (c > 1 ? 1 : c);
}

double PriceAt(double x) { return 40 - 14 * std::sin(x / 17.0) - 6 * std::sin(x / 5.3 + 1.0) + x * -0.12; }

Rgb Pixel(int x, int y) {
  double fx = x + 0.5, fy = y + 0.5;
  Rgb sky = Mix(Rgb{18, 32, 74}, Rgb{242, 140, 60}, fy / kHeight);
  // Faint grid of a chart.
  if (x % 16 == 0 || y % 17 == 0) sky = Mix(sky, Rgb{255, 255, 255}, 0.12);
  // The price line.
  double best = 1e9;
  for (int i = 0; i < kWidth; i += 4)
    best = std::fmin(best, SegmentDistance(fx, fy, i, PriceAt(i), i + 4, PriceAt(i + 4)));
  Rgb c = Mix(sky, Rgb{120, 255, 170}, Ink(best, 1.2));
  // The vane: a shaft with an arrow head and a tail, across the upper right.
  double shaft = SegmentDistance(fx, fy, 70, 14, 118, 14);
  double head1 = SegmentDistance(fx, fy, 118, 14, 108, 6);
  double head2 = SegmentDistance(fx, fy, 118, 14, 108, 22);
  double tail1 = SegmentDistance(fx, fy, 70, 14, 64, 7);
  double tail2 = SegmentDistance(fx, fy, 70, 14, 64, 21);
  double vane = std::fmax(std::fmax(Ink(shaft, 1.5), std::fmax(Ink(head1, 1.5), Ink(head2, 1.5))),
                          std::fmax(Ink(tail1, 1.0), Ink(tail2, 1.0)));
  c = Mix(c, Rgb{255, 230, 120}, vane);
  // The pole.
  c = Mix(c, Rgb{230, 230, 235}, Ink(SegmentDistance(fx, fy, 94, 14, 94, 66), 1.0));
  return c;
}

void Put16(std::vector<std::uint8_t>& out, unsigned v) {
  out.push_back(static_cast<std::uint8_t>(v & 0xFF));
  out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_icon OUTPUT.ico\n");
    return 2;
  }
  const unsigned colourStride = (kWidth * 3 + 3) / 4 * 4;
  const unsigned maskStride = (kWidth / 8 + 3) / 4 * 4;
  const std::uint32_t imageSize = 40 + colourStride * kHeight + maskStride * kHeight;

  std::vector<std::uint8_t> out;
  // Icon directory: reserved, type 1 (icon), one image.
  Put16(out, 0);
  Put16(out, 1);
  Put16(out, 1);
  // Its entry: width, height, no palette, reserved, planes, bits per pixel, size, offset.
  out.push_back(kWidth);
  out.push_back(kHeight);
  out.push_back(0);
  out.push_back(0);
  Put16(out, 1);
  Put16(out, 24);
  Put32(out, imageSize);
  Put32(out, 6 + 16);
  // The image: a BITMAPINFOHEADER whose height counts the colour rows and the mask rows.
  Put32(out, 40);
  Put32(out, kWidth);
  Put32(out, kHeight * 2);
  Put16(out, 1);
  Put16(out, 24);
  Put32(out, 0);  // BI_RGB
  Put32(out, colourStride * kHeight + maskStride * kHeight);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);
  // Colour rows, bottom row first, blue green red.
  for (int y = kHeight - 1; y >= 0; --y) {
    unsigned n = 0;
    for (int x = 0; x < kWidth; ++x, n += 3) {
      Rgb c = Pixel(x, y);
      out.push_back(static_cast<std::uint8_t>(std::lround(c.b)));
      out.push_back(static_cast<std::uint8_t>(std::lround(c.g)));
      out.push_back(static_cast<std::uint8_t>(std::lround(c.r)));
    }
    for (; n < colourStride; ++n) out.push_back(0);
  }
  // The transparency mask: every pixel opaque.
  out.insert(out.end(), static_cast<size_t>(maskStride) * kHeight, 0);

  std::FILE* file = std::fopen(argv[1], "wb");
  if (!file) {
    std::perror(argv[1]);
    return 1;
  }
  bool ok = std::fwrite(out.data(), 1, out.size(), file) == out.size();
  ok = std::fclose(file) == 0 && ok;
  if (!ok) std::perror(argv[1]);
  return ok ? 0 : 1;
}
