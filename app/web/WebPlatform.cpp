#include "app/web/WebPlatform.h"

#include <emscripten.h>
#include <sys/random.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <utility>
#include <vector>

#include "shell/GameFolder.h"
#include "shell/SoundPlayer.h"
#include "ui/Layout.h"

// The page's side: every call goes to the object glimPage of the page's
// script (glimmerhold.js). Texts cross as bytes, as the game keeps them; the
// page decodes them for display.

// clang-format off
EM_JS(void, web_print, (const char* p, int n), { glimPage.print(HEAPU8.slice(p, p + n)); });
EM_JS(void, web_clear, (), { glimPage.clear(); });
EM_JS(void, web_field, (const char* p, int n), { glimPage.field(HEAPU8.slice(p, p + n)); });
EM_JS(void, web_focus, (), { glimPage.focus(); });
EM_JS(void, web_notice, (const char* p, int n), { glimPage.notice(HEAPU8.slice(p, p + n)); });
EM_JS(void, web_direction, (int d, int on), { glimPage.direction(d, on); });
// A picture of fullW x fullH as the canvas takes it (bytes R, G, B, A, a
// view over the module's memory), of which the canvas copies the rectangle
// (x, y, w, h) at once.
EM_JS(void, web_picture, (int which, const uint32_t* rgba, int x, int y, int w, int h, int fullW, int fullH), {
  glimPage.picture(which, HEAPU8.subarray(rgba, rgba + fullW * fullH * 4), x, y, w, h, fullW, fullH);
});
// The page fetches the sound by its path (audio.js, soundData).
EM_JS(void, web_play, (const char* path, int repeat), { glimPage.play(UTF8ToString(path), repeat); });
EM_JS(void, web_stop, (), { glimPage.stop(); });
EM_JS(void, web_repeat, (int repeat), { glimPage.repeat(repeat); });
// The game folder's files outside the packed ones (files.js): the size of a
// listed file, its listed name, its fetch into the file system, a prefetch.
EM_JS(double, web_file_size, (const char* path), { return glimPage.fileSize(UTF8ToString(path)); });
EM_JS(char*, web_listed_name, (const char* path, int noCase), {
  const name = glimPage.listedName(UTF8ToString(path), noCase);
  return name ? allocateUTF8(name) : 0;
});
EM_ASYNC_JS(int, web_fetch, (const char* name), { return await glimPage.fetchFile(UTF8ToString(name)); });
EM_JS(void, web_prefetch, (const char* path), { glimPage.prefetch(UTF8ToString(path)); });
EM_JS(void, web_closed, (), { glimPage.closed(); });
EM_JS(void, web_undo_hint, (int hint), { glimPage.undoHint(hint); });
// Shows the help pages and returns when the player closes them.
EM_ASYNC_JS(void, web_help, (), { await glimPage.help(); });
// kind: 0 a message, 1 an error, 2 Yes or No (1 for Yes), 3 the About box.
EM_ASYNC_JS(int, web_box, (const char* p, int n, int kind), {
  return await glimPage.box(HEAPU8.slice(p, p + n), kind);
});
// The splash with the credits scrolling; it returns when the player has
// dismissed it.
EM_ASYNC_JS(void, web_splash, (const char* p, int n), { await glimPage.splash(HEAPU8.slice(p, p + n)); });
// The answer of a one-line input box, as bytes the caller frees.
EM_ASYNC_JS(char*, web_input, (const char* t, int tn, const char* p, int pn, const char* d, int dn), {
  const a = await glimPage.input(HEAPU8.slice(t, t + tn), HEAPU8.slice(p, p + pn), HEAPU8.slice(d, d + dn));
  const ptr = _malloc(a.length + 1);
  HEAPU8.set(a, ptr);
  HEAPU8[ptr + a.length] = 0;
  return ptr;
});
// Saved games (saves.js): the dialogs and the browser's storage. An answer
// crosses in pieces of bytes: the call returns how many pieces it has (-1
// when the dialog was cancelled), then each is taken in turn.
EM_ASYNC_JS(int, web_save_dialog, (const char* t, int tn), {
  return glimPage.hand(await glimPage.saveDialog(HEAPU8.slice(t, t + tn)));
});
EM_ASYNC_JS(int, web_open_dialog, (const char* t, int tn), {
  return glimPage.hand(await glimPage.openDialog(HEAPU8.slice(t, t + tn)));
});
// No piece when the game was kept, else the reason it was not.
EM_ASYNC_JS(int, web_keep_save, (const char* n, int nn, const char* d, int dn), {
  return glimPage.hand(await glimPage.keepSave(HEAPU8.slice(n, n + nn), HEAPU8.slice(d, d + dn)));
});
EM_JS(int, web_piece_length, (), { return glimPage.pieceLength(); });
EM_JS(void, web_take_piece, (char* to), { HEAPU8.set(glimPage.takePiece(), to); });
// clang-format on

// The browser's C library declares getrandom but does not have it; saving
// asks it for the names of temporary files. The browser's own random source
// answers through getentropy, at most 256 bytes a call.
extern "C" ssize_t getrandom(void* buffer, size_t length, unsigned /*flags*/) {
  auto* p = static_cast<unsigned char*>(buffer);
  for (size_t done = 0; done < length;) {
    const size_t n = std::min<size_t>(length - done, 256);
    if (getentropy(p + done, n) != 0) return -1;
    done += n;
  }
  return static_cast<ssize_t>(length);
}

namespace glim {

namespace {

int Len(const std::string& s) { return static_cast<int>(s.size()); }

// The saved games pass through this folder of the module's file system on
// their way to and from the browser's storage, as NAME.gam.
constexpr const char* SavesFolder = "/saves/";

}  // namespace

WebPlatform::WebPlatform(std::string folder, bool virtualClock)
    : folder_(std::move(folder)), virtualClock_(virtualClock) {
  std::error_code ec;
  std::filesystem::create_directories(SavesFolder, ec);
}

uint64_t WebPlatform::Now() const { return virtualClock_ ? now_ : static_cast<uint64_t>(emscripten_get_now()); }

void WebPlatform::PrintLine(const std::string& text) { web_print(text.data(), Len(text)); }
void WebPlatform::ClearPanel() { web_clear(); }
void WebPlatform::SetCommandText(const std::string& text) { web_field(text.data(), Len(text)); }
void WebPlatform::FocusCommandLine() { web_focus(); }
void WebPlatform::MessageBox(const std::string& text) { web_box(text.data(), Len(text), 0); }
void WebPlatform::Notice(const std::string& text) { web_notice(text.data(), Len(text)); }
void WebPlatform::ErrorBox(const std::string& text) { web_box(text.data(), Len(text), 1); }
bool WebPlatform::ConfirmBox(const std::string& text) { return web_box(text.data(), Len(text), 2) == 1; }

std::string WebPlatform::InputBox(const std::string& title, const std::string& prompt, const std::string& def) {
  char* answer = web_input(title.data(), Len(title), prompt.data(), Len(prompt), def.data(), Len(def));
  std::string s = answer ? answer : def;
  std::free(answer);
  return s;
}

namespace {

// The next piece of the page's last answer.
std::string TakePiece() {
  const int n = web_piece_length();
  std::string piece(static_cast<size_t>(std::max(n, 0)), '\0');
  if (n > 0) web_take_piece(piece.data());
  return piece;
}

std::string SavePath(const std::string& name, const std::string& ext) { return SavesFolder + name + "." + ext; }

// The name under which the file at `path` is kept in the browser, or
// nothing when it is not a saved game's file.
std::optional<std::string> SaveName(const std::string& path) {
  const std::string folder = SavesFolder;
  const size_t dot = path.rfind('.');
  if (path.compare(0, folder.size(), folder) != 0 || dot == std::string::npos || dot < folder.size()) return {};
  std::string name = path.substr(folder.size(), dot - folder.size());
  if (name.empty() || name.find('/') != std::string::npos) return {};
  return name;
}

}  // namespace

// The page asks for a name, showing the games kept so far, and asks before
// one is replaced.
std::optional<std::string> WebPlatform::SaveFileDialog(const FileDialogSpec& spec) {
  if (web_save_dialog(spec.Title.data(), Len(spec.Title)) < 1) return std::nullopt;
  return SavePath(TakePiece(), spec.DefaultExt);
}

// The page lists the games kept (and imports one from a file); the chosen
// one's bytes are written where the game's own loader reads and checks
// them, as a file chosen on the desktop.
std::optional<std::string> WebPlatform::OpenFileDialog(const FileDialogSpec& spec) {
  if (web_open_dialog(spec.Title.data(), Len(spec.Title)) < 2) return std::nullopt;
  const std::string name = TakePiece();
  const std::string bytes = TakePiece();
  const std::string path = SavePath(name, spec.DefaultExt);
  std::string error;
  if (!Platform::WriteFile(path, bytes, error)) {
    ErrorBox(error);
    return std::nullopt;
  }
  return path;
}

bool WebPlatform::WriteFile(const std::string& path, const std::string& data, std::string& error) {
  if (!Platform::WriteFile(path, data, error)) return false;
  const std::optional<std::string> name = SaveName(path);
  if (!name || web_keep_save(name->data(), Len(*name), data.data(), Len(data)) < 1) return true;
  // The storage refused it (full, or not offered in a private window): the
  // save failed, and the copy in memory goes too.
  error = "Cannot create file \"" + path + "\". " + TakePiece();
  std::remove(path.c_str());
  return false;
}

void WebPlatform::EnableDirection(int direction, bool enabled) {
  if (direction >= 1 && direction <= 4) web_direction(direction, enabled ? 1 : 0);
}

// Most commands show the same scene and carried panel again, or change a
// few objects' icons: the game keeps the canvas's bytes, brings them up to
// date in one pass and the page copies only the rectangle that changed.
void WebPlatform::SendPicture(int which, const Image& img) {
  RgbaPicture& shown = shown_[which];
  const Rect r = UpdateRgba(shown, img);
  if (img.Empty() || r.Empty()) return;
  web_picture(which, shown.Words.data(), r.X, r.Y, r.W, r.H, img.W, img.H);
}

void WebPlatform::ShowScene(const Image& scene) {
  if (scene.Empty()) return;
  pictureW_[0] = scene.W;
  pictureH_[0] = scene.H;
  SendPicture(0, scene);
  if (sceneShown_) sceneShown_();
}

void WebPlatform::ShowCarried(const Image& panel) {
  if (panel.Empty()) return;
  pictureW_[1] = panel.W;
  pictureH_[1] = panel.H;
  SendPicture(1, panel);
}

void WebPlatform::PictureSize(int which, int& w, int& h) const {
  const int i = which == 0 ? 0 : 1;
  w = pictureW_[i];
  h = pictureH_[i];
}

bool WebPlatform::FileExists(const std::string& path) {
  return Platform::FileExists(path) || web_file_size(path.c_str()) >= 0;
}

// A file of the site is fetched into the file system the first time it is
// read; its listed size is checked against the limit before the fetch.
bool WebPlatform::ReadFile(const std::string& path, std::string& out, size_t limit) {
  if (!Platform::FileExists(path) && path.find('\0') == std::string::npos) {
    const double size = web_file_size(path.c_str());
    if (size < 0) {
      errno = ENOENT;
      return false;
    }
    if (size > static_cast<double>(limit)) {
      errno = EFBIG;
      return false;
    }
    if (!web_fetch(path.c_str())) {
      errno = EIO;
      return false;
    }
  }
  return Platform::ReadFile(path, out, limit);
}

std::string WebPlatform::ListedName(const std::string& path) {
  const std::string real = ResolveNoCase(path);
  if (!real.empty()) return real;
  char* name = web_listed_name(path.c_str(), 1);
  if (!name) return {};
  std::string listed = "/" + std::string(name);
  std::free(name);
  return listed;
}

void WebPlatform::Prefetch(const std::string& path) { web_prefetch(path.c_str()); }

// The page plays the sound files, fetched from the site when first played.
SoundResult WebPlatform::PlaySoundFile(const std::string& path, bool repeat) {
  const std::string real = ListedName(path);
  if (real.empty()) return SoundResult::Missing;
  web_play(real.c_str(), repeat ? 1 : 0);
  return SoundResult::Ok;
}

void WebPlatform::StopSoundFile() { web_stop(); }
void WebPlatform::SetSoundRepeat(bool repeat) { web_repeat(repeat ? 1 : 0); }

void WebPlatform::StartTimer(int intervalMs) {
  timerArmed_ = true;
  deadline_ = Now() + static_cast<uint64_t>(std::max(intervalMs, 0));
}

void WebPlatform::StopTimer() { timerArmed_ = false; }

int WebPlatform::TimerLeft() {
  if (!timerArmed_) return -1;
  const uint64_t now = Now();
  if (deadline_ <= now) return 0;
  return static_cast<int>(std::min<uint64_t>(deadline_ - now, 0x7fffffff));
}

int WebPlatform::MsUntilTimer() const {
  if (!timerArmed_ || virtualClock_) return -1;
  const uint64_t now = Now();
  return deadline_ <= now ? 0 : static_cast<int>(std::min<uint64_t>(deadline_ - now, 0x7fffffff));
}

void WebPlatform::FireTimerIfDue() {
  const uint64_t now = Now();
  if (!timerArmed_ || now < deadline_) return;
  // The timer fires once per expiry; the game disables it in its handler.
  deadline_ = now + 0x7fffffff;
  if (events_) events_->OnEventTimer();
}

void WebPlatform::WaitSeconds(int seconds) {
  const uint64_t target = Now() + static_cast<uint64_t>(std::max(seconds, 0)) * 1000u;
  if (virtualClock_) {
    // The timer fires at its own moment, in clock order with the wait.
    while (timerArmed_ && deadline_ <= target) {
      now_ = std::max(now_, deadline_);
      FireTimerIfDue();
    }
    now_ = std::max(now_, target);
    return;
  }
  for (;;) {
    FireTimerIfDue();
    const uint64_t now = Now();
    if (now >= target) break;
    uint64_t step = target - now;
    if (timerArmed_ && deadline_ > now) step = std::min(step, deadline_ - now);
    // The page draws and plays on while the game sleeps.
    emscripten_sleep(static_cast<unsigned>(step));
  }
}

// The splash scrolls the credits' lines one after another on one line.
void WebPlatform::ShowSplash() {
  const std::string credits = ReadCredits(folder_);
  std::vector<std::string> lines(1);
  for (const char ch : credits) {
    if (ch == '\n')
      lines.emplace_back();
    else if (ch != '\r')
      lines.back() += ch;
  }
  const std::string text = ScrollText(lines);
  web_splash(text.data(), Len(text));
}

void WebPlatform::ShowAbout() {
  const std::string credits = ReadCredits(folder_);
  web_box(credits.data(), Len(credits), 3);
}

// The help file's pages are beside the page (help/); the page shows them in
// its help dialog, and the game waits until the player closes it.
std::string WebPlatform::ShowHelpFile(const std::string& path) {
  if (ListedName(path).empty()) return "Process file does not exist";
  web_help();
  return "OK";
}

void WebPlatform::CloseMainWindow() {
  closed_ = true;
  web_closed();
}

void WebPlatform::ShowUndoHint(UndoHint hint) { web_undo_hint(static_cast<int>(hint)); }

}  // namespace glim
