// A small RandR client for the display-mode test:
//   glimqt_xrandr size            prints the screen size as WxH
//   glimqt_xrandr add-mode W H    offers a W x H mode on the first output and
//                                 keeps it (by staying connected) until its
//                                 standard input closes
//   glimqt_xrandr rate            prints the refresh rate of the current mode
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void Size(Display* d) {
  Window r = 0;
  int x = 0, y = 0;
  unsigned w = 0, h = 0, b = 0, depth = 0;
  XGetGeometry(d, DefaultRootWindow(d), &r, &x, &y, &w, &h, &b, &depth);
  std::printf("%ux%u\n", w, h);
}

int AddMode(Display* d, int w, int h) {
  Window root = DefaultRootWindow(d);
  XRRScreenResources* res = XRRGetScreenResources(d, root);
  if (!res || res->noutput < 1) return 1;
  char name[32];
  std::snprintf(name, sizeof name, "%dx%d_test", w, h);
  XRRModeInfo m;
  std::memset(&m, 0, sizeof m);
  m.width = static_cast<unsigned>(w);
  m.height = static_cast<unsigned>(h);
  // 60 Hz with simple blanking.
  m.hTotal = static_cast<unsigned>(w + 160);
  m.vTotal = static_cast<unsigned>(h + 28);
  m.hSyncStart = static_cast<unsigned>(w + 40);
  m.hSyncEnd = static_cast<unsigned>(w + 120);
  m.vSyncStart = static_cast<unsigned>(h + 1);
  m.vSyncEnd = static_cast<unsigned>(h + 4);
  m.dotClock = static_cast<unsigned long>(m.hTotal) * m.vTotal * 60;
  m.name = name;
  m.nameLength = static_cast<unsigned>(std::strlen(name));
  RRMode id = XRRCreateMode(d, root, &m);
  XRRAddOutputMode(d, res->outputs[0], id);
  XSync(d, False);
  XRRFreeScreenResources(res);
  std::printf("ok\n");
  std::fflush(stdout);
  char buf[64];
  while (read(0, buf, sizeof buf) > 0) {
  }
  return 0;
}

void Rate(Display* d) {
  Window root = DefaultRootWindow(d);
  XRRScreenResources* res = XRRGetScreenResourcesCurrent(d, root);
  for (int c = 0; res && c < res->ncrtc; ++c) {
    XRRCrtcInfo* ci = XRRGetCrtcInfo(d, res, res->crtcs[c]);
    if (ci && ci->mode)
      for (int i = 0; i < res->nmode; ++i)
        if (res->modes[i].id == ci->mode) {
          const XRRModeInfo& m = res->modes[i];
          std::printf("%ld\n", std::lround(static_cast<double>(m.dotClock) / (m.hTotal * m.vTotal)));
          XRRFreeCrtcInfo(ci);
          return;
        }
    if (ci) XRRFreeCrtcInfo(ci);
  }
  std::printf("0\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  Display* d = XOpenDisplay(nullptr);
  if (!d) {
    std::fprintf(stderr, "no display\n");
    return 1;
  }
  int rc = 0;
  if (std::strcmp(argv[1], "size") == 0)
    Size(d);
  else if (std::strcmp(argv[1], "rate") == 0)
    Rate(d);
  else if (std::strcmp(argv[1], "add-mode") == 0 && argc >= 4)
    rc = AddMode(d, std::atoi(argv[2]), std::atoi(argv[3]));
  else
    rc = 2;
  XCloseDisplay(d);
  return rc;
}
