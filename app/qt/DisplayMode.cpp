#include "app/qt/DisplayMode.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <sstream>

namespace glim {

namespace {

// X errors during a switch (a mode the server refuses, a CRTC that went
// away) must not end the game; they make the switch report failure instead.
int g_xerrors = 0;
int CountXError(Display*, XErrorEvent*) {
  ++g_xerrors;
  return 0;
}

class ErrorTrap {
 public:
  explicit ErrorTrap(Display* d) : d_(d) {
    XSync(d_, False);
    g_xerrors = 0;
    old_ = XSetErrorHandler(CountXError);
  }
  ~ErrorTrap() {
    XSync(d_, False);
    XSetErrorHandler(old_);
  }
  bool Failed() {
    XSync(d_, False);
    return g_xerrors != 0;
  }

 private:
  Display* d_;
  int (*old_)(Display*, XErrorEvent*);
};

struct Resources {
  XRRScreenResources* r = nullptr;
  Resources(Display* d, Window root) { r = XRRGetScreenResourcesCurrent(d, root); }
  ~Resources() {
    if (r) XRRFreeScreenResources(r);
  }
};

const XRRModeInfo* FindMode(const XRRScreenResources* res, RRMode id) {
  for (int i = 0; i < res->nmode; ++i)
    if (res->modes[i].id == id) return &res->modes[i];
  return nullptr;
}

int RefreshOf(const XRRModeInfo& m) {
  if (m.hTotal == 0 || m.vTotal == 0) return 0;
  double v = m.vTotal;
  if (m.modeFlags & RR_DoubleScan) v *= 2;
  if (m.modeFlags & RR_Interlace) v /= 2;
  return static_cast<int>(std::lround(static_cast<double>(m.dotClock) / (m.hTotal * v)));
}

// The output the game switches: the primary one, or else the first that is
// connected and lit.
RROutput PrimaryOutput(Display* d, Window root, const XRRScreenResources* res) {
  RROutput primary = XRRGetOutputPrimary(d, root);
  if (primary) {
    XRROutputInfo* oi = XRRGetOutputInfo(d, const_cast<XRRScreenResources*>(res), primary);
    const bool lit = oi && oi->crtc;
    if (oi) XRRFreeOutputInfo(oi);
    if (lit) return primary;
  }
  for (int i = 0; i < res->noutput; ++i) {
    XRROutputInfo* oi = XRRGetOutputInfo(d, const_cast<XRRScreenResources*>(res), res->outputs[i]);
    const bool lit = oi && oi->crtc && oi->connection != RR_Disconnected;
    if (oi) XRRFreeOutputInfo(oi);
    if (lit) return res->outputs[i];
  }
  return 0;
}

int LitCrtcCount(Display* d, XRRScreenResources* res) {
  int n = 0;
  for (int i = 0; i < res->ncrtc; ++i) {
    XRRCrtcInfo* ci = XRRGetCrtcInfo(d, res, res->crtcs[i]);
    if (ci && ci->mode) ++n;
    if (ci) XRRFreeCrtcInfo(ci);
  }
  return n;
}

int BitsPerPixel(Display* d) {
  const int depth = DefaultDepth(d, DefaultScreen(d));
  int n = 0;
  XPixmapFormatValues* f = XListPixmapFormats(d, &n);
  int bpp = depth;
  for (int i = 0; f && i < n; ++i)
    if (f[i].depth == depth) bpp = f[i].bits_per_pixel;
  if (f) XFree(f);
  return bpp;
}

// The root window's size straight from the server (Xlib's cached screen
// size only follows changes the client has been told about).
void RootSize(Display* d, Window root, int& w, int& h) {
  Window r = 0;
  int x = 0, y = 0;
  unsigned int uw = 0, uh = 0, bw = 0, depth = 0;
  if (XGetGeometry(d, root, &r, &x, &y, &uw, &uh, &bw, &depth)) {
    w = static_cast<int>(uw);
    h = static_cast<int>(uh);
  } else {
    w = DisplayWidth(d, DefaultScreen(d));
    h = DisplayHeight(d, DefaultScreen(d));
  }
}

// Applies a layout: a screen size and one CRTC's mode. The CRTC must fit
// the screen at every moment, so a growing screen is resized first and a
// shrinking one last; when neither order works the CRTC is switched off in
// between.
bool Apply(Display* d, Window root, const RandrState& s) {
  Resources res(d, root);
  if (!res.r) return false;
  XRRCrtcInfo* ci = XRRGetCrtcInfo(d, res.r, s.Crtc);
  if (!ci) return false;
  const XRRModeInfo* target = FindMode(res.r, s.Mode);
  if (!target) {
    XRRFreeCrtcInfo(ci);
    return false;
  }
  const bool swap = (s.Rotation & (RR_Rotate_90 | RR_Rotate_270)) != 0;
  const int newW = static_cast<int>(swap ? target->height : target->width);
  const int newH = static_cast<int>(swap ? target->width : target->height);
  int curW = 0, curH = 0;
  RootSize(d, root, curW, curH);
  const bool modeFitsNow = s.X + newW <= curW && s.Y + newH <= curH;
  const bool oldFitsNew = ci->mode == 0 || (ci->x + static_cast<int>(ci->width) <= s.ScreenWidth &&
                                            ci->y + static_cast<int>(ci->height) <= s.ScreenHeight);
  std::vector<RROutput> outs(s.Outputs.begin(), s.Outputs.end());
  ErrorTrap trap(d);
  XGrabServer(d);
  Status st = RRSetConfigSuccess;
  auto setCrtc = [&] {
    st = XRRSetCrtcConfig(d, res.r, s.Crtc, CurrentTime, s.X, s.Y, s.Mode, static_cast<Rotation>(s.Rotation),
                          outs.data(), static_cast<int>(outs.size()));
  };
  if (modeFitsNow) {
    setCrtc();
    XRRSetScreenSize(d, root, s.ScreenWidth, s.ScreenHeight, s.ScreenMmWidth, s.ScreenMmHeight);
  } else {
    if (!oldFitsNew) XRRSetCrtcConfig(d, res.r, s.Crtc, CurrentTime, 0, 0, 0, RR_Rotate_0, nullptr, 0);
    XRRSetScreenSize(d, root, s.ScreenWidth, s.ScreenHeight, s.ScreenMmWidth, s.ScreenMmHeight);
    setCrtc();
  }
  XUngrabServer(d);
  XRRFreeCrtcInfo(ci);
  const bool failed = trap.Failed();
  return st == RRSetConfigSuccess && !failed;
}

bool ReadState(Display* d, Window root, RandrState& s) {
  Resources res(d, root);
  if (!res.r) return false;
  const RROutput out = PrimaryOutput(d, root, res.r);
  if (!out) return false;
  XRROutputInfo* oi = XRRGetOutputInfo(d, res.r, out);
  if (!oi) return false;
  const RRCrtc crtc = oi->crtc;
  XRRFreeOutputInfo(oi);
  XRRCrtcInfo* ci = XRRGetCrtcInfo(d, res.r, crtc);
  if (!ci) return false;
  const int scr = DefaultScreen(d);
  RootSize(d, root, s.ScreenWidth, s.ScreenHeight);
  s.ScreenMmWidth = DisplayWidthMM(d, scr);
  s.ScreenMmHeight = DisplayHeightMM(d, scr);
  s.Crtc = crtc;
  s.Mode = ci->mode;
  s.X = ci->x;
  s.Y = ci->y;
  s.Rotation = ci->rotation;
  s.Outputs.assign(ci->outputs, ci->outputs + ci->noutput);
  XRRFreeCrtcInfo(ci);
  return s.Crtc != 0 && s.Mode != 0;
}

volatile sig_atomic_t g_signalled = 0;
int g_signalPipe[2] = {-1, -1};

void OnTerminate(int sig) {
  if (g_signalled) {
    // The orderly close did not come in time: go now; the guard restores.
    _exit(128 + sig);
  }
  g_signalled = 1;
  const char c = static_cast<char>(sig);
  const ssize_t w = write(g_signalPipe[1], &c, 1);
  (void)w;
}

}  // namespace

std::string RandrState::Encode() const {
  std::ostringstream o;
  o << ScreenWidth << ' ' << ScreenHeight << ' ' << ScreenMmWidth << ' ' << ScreenMmHeight << ' ' << Crtc << ' ' << Mode
    << ' ' << X << ' ' << Y << ' ' << Rotation << ' ' << Outputs.size();
  for (unsigned long out : Outputs) o << ' ' << out;
  return o.str();
}

bool RandrState::Decode(const std::string& line) {
  std::istringstream in(line);
  size_t n = 0;
  if (!(in >> ScreenWidth >> ScreenHeight >> ScreenMmWidth >> ScreenMmHeight >> Crtc >> Mode >> X >> Y >> Rotation >>
        n))
    return false;
  if (n > 64) return false;
  Outputs.clear();
  for (size_t i = 0; i < n; ++i) {
    unsigned long o = 0;
    if (!(in >> o)) return false;
    Outputs.push_back(o);
  }
  return ScreenWidth > 0 && ScreenHeight > 0 && Crtc != 0 && Mode != 0;
}

DisplayMode::DisplayMode() = default;

DisplayMode::~DisplayMode() {
  Restore();
  if (guardFd_ >= 0) close(guardFd_);
  if (dpy_) XCloseDisplay(static_cast<Display*>(dpy_));
}

bool DisplayMode::Open(const std::string& displayName) {
  if (dpy_) return true;
  Display* d = XOpenDisplay(displayName.empty() ? nullptr : displayName.c_str());
  if (!d) return false;
  int ev = 0, err = 0, major = 0, minor = 0;
  if (!XRRQueryExtension(d, &ev, &err) || !XRRQueryVersion(d, &major, &minor) || major < 1 ||
      (major == 1 && minor < 2)) {
    XCloseDisplay(d);
    return false;
  }
  dpy_ = d;
  root_ = RootWindow(d, DefaultScreen(d));
  return true;
}

void DisplayMode::Record() {
  if (!dpy_) return;
  Display* d = static_cast<Display*>(dpy_);
  RootSize(d, static_cast<Window>(root_), SavedScreenWidth, SavedScreenHeight);
  SavedBitsPerPixel = BitsPerPixel(d);
  SavedRefreshRate = 0;
  recorded_ = ReadState(d, root_, saved_);
  if (recorded_) {
    Resources res(d, root_);
    if (res.r)
      if (const XRRModeInfo* m = FindMode(res.r, saved_.Mode)) SavedRefreshRate = RefreshOf(*m);
  }
}

bool DisplayMode::Available(int width, int height, int bitsPerPixel) {
  if (!dpy_) return false;
  Display* d = static_cast<Display*>(dpy_);
  if (BitsPerPixel(d) != bitsPerPixel) return false;
  Resources res(d, root_);
  if (!res.r) return false;
  RROutput out = PrimaryOutput(d, root_, res.r);
  if (!out) return false;
  XRROutputInfo* oi = XRRGetOutputInfo(d, res.r, out);
  if (!oi) return false;
  bool found = false;
  for (int i = 0; i < oi->nmode && !found; ++i)
    if (const XRRModeInfo* m = FindMode(res.r, oi->modes[i]))
      found = static_cast<int>(m->width) == width && static_cast<int>(m->height) == height;
  XRRFreeOutputInfo(oi);
  return found;
}

bool DisplayMode::Set(int width, int height, int bitsPerPixel, int refreshRate) {
  if (!dpy_ || !recorded_) return false;
  Display* d = static_cast<Display*>(dpy_);
  if (BitsPerPixel(d) != bitsPerPixel) return false;
  // With more than one monitor lit the screen cannot shrink to one mode.
  RandrState s = saved_;
  {
    Resources res(d, root_);
    if (!res.r || LitCrtcCount(d, res.r) != 1) return false;
    RROutput out = PrimaryOutput(d, root_, res.r);
    XRROutputInfo* oi = out ? XRRGetOutputInfo(d, res.r, out) : nullptr;
    if (!oi) return false;
    RRMode best = 0;
    int bestDiff = 1 << 30;
    for (int i = 0; i < oi->nmode; ++i) {
      const XRRModeInfo* m = FindMode(res.r, oi->modes[i]);
      if (!m || static_cast<int>(m->width) != width || static_cast<int>(m->height) != height) continue;
      const int diff = refreshRate > 1 ? std::abs(RefreshOf(*m) - refreshRate) : 0;
      if (diff < bestDiff) {
        bestDiff = diff;
        best = m->id;
      }
    }
    XRRFreeOutputInfo(oi);
    if (!best) return false;
    s.Mode = best;
  }
  const bool swap = (s.Rotation & (RR_Rotate_90 | RR_Rotate_270)) != 0;
  s.X = 0;
  s.Y = 0;
  s.ScreenWidth = swap ? height : width;
  s.ScreenHeight = swap ? width : height;
  // Keep the physical size per pixel, so the dots per inch stay the same.
  if (saved_.ScreenWidth > 0 && saved_.ScreenHeight > 0) {
    s.ScreenMmWidth = std::max(1, saved_.ScreenMmWidth * s.ScreenWidth / saved_.ScreenWidth);
    s.ScreenMmHeight = std::max(1, saved_.ScreenMmHeight * s.ScreenHeight / saved_.ScreenHeight);
  }
  return Apply(d, root_, s);
}

bool DisplayMode::Restore() {
  if (!DisplayModeChanged) return true;
  DisplayModeChanged = false;
  bool ok = false;
  if (dpy_ && recorded_) ok = Apply(static_cast<Display*>(dpy_), root_, saved_);
  if (guardFd_ >= 0) {
    // Only a restore that worked relieves the guard; otherwise it tries too.
    if (ok) {
      const ssize_t w = write(guardFd_, "done\n", 5);
      (void)w;
    }
    close(guardFd_);
    guardFd_ = -1;
  }
  return ok;
}

bool DisplayMode::StartGuard(const std::string& exe) {
  if (!dpy_ || !recorded_ || guardFd_ >= 0) return guardFd_ >= 0;
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return false;
  const std::string state = saved_.Encode() + "\n";
  const std::string display = DisplayString(static_cast<Display*>(dpy_));
  const std::string fdArg = std::to_string(fds[0]);
  const pid_t pid = fork();
  if (pid < 0) {
    close(fds[0]);
    close(fds[1]);
    return false;
  }
  if (pid == 0) {
    // Only async-signal-safe calls until exec.
    close(fds[1]);
    const int flags = fcntl(fds[0], F_GETFD);
    fcntl(fds[0], F_SETFD, flags & ~FD_CLOEXEC);
    setsid();
    execl(exe.c_str(), exe.c_str(), "--display-guard", fdArg.c_str(), display.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[0]);
  signal(SIGPIPE, SIG_IGN);
  if (write(fds[1], state.data(), state.size()) != static_cast<ssize_t>(state.size())) {
    close(fds[1]);
    return false;
  }
  guardFd_ = fds[1];
  return true;
}

int DisplayMode::RunGuard(int argc, char** argv) {
  if (argc < 4) return 2;
  const int fd = std::atoi(argv[2]);
  signal(SIGINT, SIG_IGN);
  signal(SIGHUP, SIG_IGN);
  signal(SIGQUIT, SIG_IGN);
  signal(SIGPIPE, SIG_IGN);
  std::string got;
  char buf[256];
  for (;;) {
    const ssize_t n = read(fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got.append(buf, static_cast<size_t>(n));
    if (got.size() > 65536) break;
  }
  const size_t nl = got.find('\n');
  if (nl == std::string::npos) return 0;  // the game never switched
  if (got.compare(nl + 1, 4, "done") == 0) return 0;
  RandrState s;
  if (!s.Decode(got.substr(0, nl))) return 1;
  Display* d = XOpenDisplay(argv[3]);
  if (!d) return 1;
  const bool ok = Apply(d, RootWindow(d, DefaultScreen(d)), s);
  XCloseDisplay(d);
  return ok ? 0 : 1;
}

int DisplayMode::InstallSignalPipe() {
  if (g_signalPipe[0] >= 0) return g_signalPipe[0];
  if (pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return -1;
  struct sigaction sa;
  std::memset(&sa, 0, sizeof sa);
  sa.sa_handler = OnTerminate;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) sigaction(sig, &sa, nullptr);
  return g_signalPipe[0];
}

bool DisplayMode::CurrentSize(int& width, int& height) {
  if (!dpy_) return false;
  RootSize(static_cast<Display*>(dpy_), static_cast<Window>(root_), width, height);
  return true;
}

}  // namespace glim
