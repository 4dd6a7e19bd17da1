#include "x_display.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace kwtest {

cairo_surface_t* captureWindow(const std::string& id, const std::string& png) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return nullptr;
  const ::Window window = std::strtoul(id.c_str(), nullptr, 10);
  XWindowAttributes attributes;
  cairo_surface_t* out = nullptr;
  if (window && XGetWindowAttributes(display, window, &attributes)) {
    XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (image) {
      out = cairo_image_surface_create(CAIRO_FORMAT_RGB24, image->width, image->height);
      auto* data = cairo_image_surface_get_data(out);
      const int stride = cairo_image_surface_get_stride(out);
      for (int y = 0; y < image->height; ++y)
        for (int x = 0; x < image->width; ++x)
          reinterpret_cast<uint32_t*>(data + y * stride)[x] = static_cast<uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFF;
      cairo_surface_mark_dirty(out);
      XDestroyImage(image);
      cairo_surface_write_to_png(out, png.c_str());
    }
  }
  XCloseDisplay(display);
  return out;
}

double differingShare(cairo_surface_t* a, cairo_surface_t* b, int threshold) {
  const int width = cairo_image_surface_get_width(a), height = cairo_image_surface_get_height(a);
  if (width != cairo_image_surface_get_width(b) || height != cairo_image_surface_get_height(b) || !width || !height)
    return 1;
  cairo_surface_flush(a);
  cairo_surface_flush(b);
  long differing = 0;
  for (int y = 0; y < height; ++y) {
    const auto* rowA = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(a) + y * cairo_image_surface_get_stride(a));
    const auto* rowB = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(b) + y * cairo_image_surface_get_stride(b));
    for (int x = 0; x < width; ++x)
      for (int shift = 0; shift < 24; shift += 8) {
        const int ca = static_cast<int>((rowA[x] >> shift) & 0xFF), cb = static_cast<int>((rowB[x] >> shift) & 0xFF);
        if (std::abs(ca - cb) > threshold) {
          ++differing;
          break;
        }
      }
  }
  return static_cast<double>(differing) / (static_cast<double>(width) * height);
}

double compareWithReference(cairo_surface_t* shot, const std::string& name) {
  const std::string reference = std::string(KORVANE_X11_REFERENCES) + "/" + name + ".png";
  const char* update = std::getenv("KORVANE_UPDATE_REFERENCES");
  if (update && std::strcmp(update, "1") == 0) cairo_surface_write_to_png(shot, reference.c_str());
  if (!std::filesystem::exists(reference)) return 1;
  cairo_surface_t* expected = cairo_image_surface_create_from_png(reference.c_str());
  const double share = cairo_surface_status(expected) == CAIRO_STATUS_SUCCESS ? differingShare(shot, expected, 64) : 1;
  cairo_surface_destroy(expected);
  return share;
}

bool askToClose(const std::string& id) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return false;
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = std::strtoul(id.c_str(), nullptr, 10);
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  const bool sent = event.xclient.window && XSendEvent(display, event.xclient.window, False, NoEventMask, &event);
  XCloseDisplay(display);
  return sent;
}

}  // namespace kwtest
