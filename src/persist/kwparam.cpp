#include "persist/kwparam.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>
#include <utility>

#include <strings.h>

#include "persist/key_file.h"
#include "platform/files.h"

// The parsed profile file of one open store.
struct TParamKey {
    KeyFile file;
    bool dirty = false;
    std::string problem;  // set when the file must not be written
};

namespace {

std::string lastError;
bool failedSinceFlush = false;
std::string lastWarning;
std::string notices;  // damaged files met since TakeParamStoreNotices

void Warn(const std::string& text) {
    if (text == lastWarning) return;
    lastWarning = text;
    std::fprintf(stderr, "settings: %s\n", text.c_str());
}

// A damaged or unreadable file, which the player is told about.
void Notice(const std::string& text) {
    if (text == lastWarning) return;
    Warn(text);
    notices += text + "\n";
}

void RecordFailure(const std::string& text) {
    lastError = text;
    failedSinceFlush = true;
    Warn(text);
}

// Key names become file names and section headers.
bool IsKeyName(const std::string& name) {
    if (name.empty() || name[0] == '.') return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        return c >= 0x20 && c < 0x7f && !std::strchr("/\\[]", c);
    });
}

// Value names the file format can hold. "Encoding" is reserved by the parser.
bool IsValueName(const char* name) {
    if (!name || !*name || name[0] == ' ' || name[std::strlen(name) - 1] == ' ') return false;
    if (std::strcmp(name, "Encoding") == 0) return false;
    for (const char* c = name; *c; ++c)
        if (*c < 0x20 || *c >= 0x7f || std::strchr("=[]", *c)) return false;
    return true;
}

// The stored spelling of `name`, matched without regard to case; empty if none.
std::string FindValueName(const TParamStore& store, const char* name) {
    std::string found;
    if (!IsValueName(name)) return found;
    for (const std::string& key : store.Key->file.Keys(store.Section))
        if (strcasecmp(key.c_str(), name) == 0) return key;
    return found;
}

bool LookupRaw(const TParamStore& store, const char* name, std::string& raw) {
    std::string stored = FindValueName(store, name);
    if (stored.empty()) return false;
    std::optional<std::string> value = store.Key->file.Value(store.Section, stored);
    if (!value) return false;
    const size_t first = value->find_first_not_of(" \t\n\r\f\v");
    const size_t last = value->find_last_not_of(" \t\n\r\f\v");
    raw = first == std::string::npos ? std::string() : value->substr(first, last - first + 1);
    return true;
}

void StoreRaw(TParamStore& store, const char* name, const std::string& raw) {
    if (!store.Key) return;
    if (!IsValueName(name)) {
        store.Key->problem = std::string("value name \"") + (name ? name : "") + "\" cannot be stored";
        store.Key->dirty = true;
        return;
    }
    std::string stored = FindValueName(store, name);
    store.Key->file.SetValue(store.Section, stored.empty() ? name : stored, raw);
    store.Key->dirty = true;
}

// Strings are kept in double quotes with C escapes; valid UTF-8 stays readable.
std::string QuoteText(const char* text) {
    return "\"" + EscapeText(text, IsValidUtf8(text)) + "\"";
}

// A quoted value loses its quotes and escapes; anything else is taken as written.
std::string UnquoteText(const std::string& raw) {
    if (raw.size() < 2 || raw.front() != '"' || raw.back() != '"') return raw;
    std::string inner = raw.substr(1, raw.size() - 2);
    size_t slashes = inner.size() - (inner.find_last_not_of('\\') + 1);
    if (slashes % 2 == 1) return raw;  // the closing quote is escaped: not ours
    return UnescapeText(inner);
}

bool ParseInt(const std::string& raw, int32_t& value) {
    if (raw.empty()) return false;
    char* end = nullptr;
    errno = 0;
    long long parsed = std::strtoll(raw.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || parsed < INT32_MIN || parsed > INT32_MAX) return false;
    value = static_cast<int32_t>(parsed);
    return true;
}

// Moves an unreadable profile file out of the way, keeping its bytes.
bool SetAside(const std::string& path, std::string& aside) {
    std::string base = path + ".corrupt-" + std::to_string(static_cast<long long>(std::time(nullptr)));
    aside = base;
    for (int n = 1; FileExists(aside) && n < 1000; ++n) aside = base + "-" + std::to_string(n);
    return !FileExists(aside) && std::rename(path.c_str(), aside.c_str()) == 0;
}

// A cut-short file is moved aside whole; its whole lines, already read, are
// written back when the store closes.
void KeepCutFile(TParamStore& store) {
    std::string aside;
    if (SetAside(store.IniFile, aside)) {
        Notice(store.IniFile + " ends in the middle of a line; kept as " + aside + ", reading its whole lines");
        store.Key->dirty = true;
    } else {
        store.Key->problem =
            store.IniFile + " ends in the middle of a line and could not be set aside; it is left untouched";
        Notice(store.Key->problem);
    }
}

// Fills the store from its file; false when the key must be treated as new.
bool LoadKey(TParamStore& store) {
    TParamKey& key = *store.Key;
    if (!FileExists(store.IniFile)) return false;
    auto bytes = ReadWholeFile(store.IniFile);
    if (!bytes) {
        key.problem = "cannot read " + store.IniFile;
        Notice(key.problem);
        return false;
    }
    if (bytes->empty()) {
        Notice(store.IniFile + " is empty; starting with defaults");
        return false;
    }
    // Saves always end with a newline: a file that stops inside a line was
    // cut short, and only its whole lines are read.
    const bool cut = bytes->back() != '\n';
    const size_t length = size_t(std::find(bytes->rbegin(), bytes->rend(), '\n').base() - bytes->begin());
    std::string why = "it holds NUL bytes";
    bool parsed = std::find(bytes->begin(), bytes->end(), '\0') == bytes->end() &&
                  key.file.Load(std::string_view(bytes->data(), length), why);
    if (parsed && cut) KeepCutFile(store);
    if (parsed) return key.file.HasGroup(store.Section);
    std::string aside;
    if (SetAside(store.IniFile, aside)) {
        Notice(store.IniFile + " could not be read (" + why + "); kept as " + aside + ", starting with defaults");
    } else {
        key.problem = store.IniFile + " could not be read (" + why + ") nor set aside; it is left untouched";
        Notice(key.problem);
    }
    return false;
}

}  // namespace

TParamStore::TParamStore() = default;

TParamStore::~TParamStore() {
    if (Key) CloseParams(*this);
}

std::string ParamFilePath(const std::string& keyName) {
    return JoinPosix(JoinPosix(ConfigHome(), "Kestrelworks"), keyName + ".ini");
}

void OpenParams(const char* iniFile, const char* keyName, TParamStore& store, int32_t useRegistry) {
    if (store.Key) CloseParams(store);
    store.UseRegistry = useRegistry;
    store.Section = keyName ? keyName : "";
    store.IniFile = useRegistry ? ParamFilePath(store.Section) : (iniFile ? iniFile : "");
    store.Key = std::make_unique<TParamKey>();
    bool usable = IsKeyName(store.Section) && !store.IniFile.empty();
    if (!usable) store.Key->problem = "settings key \"" + store.Section + "\" cannot be stored";
    store.Disposition = usable && LoadKey(store) ? PARAM_OPENED_EXISTING_KEY : PARAM_CREATED_NEW_KEY;
}

bool CloseParams(TParamStore& store) {
    if (!store.Key) return true;
    std::unique_ptr<TParamKey> key = std::move(store.Key);
    store.Disposition = 0;
    if (!key->dirty) return true;
    if (!key->problem.empty()) {
        RecordFailure("settings not saved: " + key->problem);
        return false;
    }
    std::string error;
    MakeDirectories(DirectoryOf(store.IniFile));
    if (AtomicWriteFile(store.IniFile, key->file.Save(), &error)) return true;
    RecordFailure("settings not saved: " + error);
    return false;
}

int32_t ReadParamInt(TParamStore& store, const char* name, int32_t defaultValue) {
    if (!store.Key) return defaultValue;
    if (store.Disposition == PARAM_CREATED_NEW_KEY) {
        WriteParamInt(store, name, defaultValue);
        return defaultValue;
    }
    std::string raw;
    int32_t value = defaultValue;
    if (LookupRaw(store, name, raw) && !ParseInt(raw, value)) value = defaultValue;
    return value;
}

void WriteParamInt(TParamStore& store, const char* name, int32_t value) {
    char text[16];
    std::snprintf(text, sizeof(text), "%ld", static_cast<long>(value));
    StoreRaw(store, name, text);
}

void ReadParamString(TParamStore& store, const char* name, const char* defaultValue, char* buffer, int bufferSize) {
    if (!buffer || bufferSize <= 0) return;
    const std::string fallback = defaultValue ? defaultValue : "";
    auto put = [&](const std::string& text) {
        size_t n = std::min(text.size(), static_cast<size_t>(bufferSize - 1));
        std::memcpy(buffer, text.data(), n);
        buffer[n] = '\0';
    };
    put(fallback);
    if (!store.Key) return;
    if (store.Disposition == PARAM_CREATED_NEW_KEY) {
        WriteParamString(store, name, fallback.c_str());
        return;
    }
    std::string raw;
    if (!LookupRaw(store, name, raw)) return;
    std::string text = UnquoteText(raw);
    if (text.size() + 1 <= static_cast<size_t>(bufferSize - 1)) put(text);
}

void WriteParamString(TParamStore& store, const char* name, const char* text) {
    StoreRaw(store, name, QuoteText(text ? text : ""));
}

const char* GetParamString(const char* keyName, const char* name, const char* defaultValue) {
    static char buffer[1024];
    TParamStore store;
    OpenParams(keyName, keyName, store, 1);
    ReadParamString(store, name, defaultValue, buffer, sizeof(buffer));
    CloseParams(store);
    return buffer;
}

bool FlushParams() {
    bool ok = !failedSinceFlush;
    failedSinceFlush = false;
    lastError.clear();
    return ok;
}

std::string ParamStoreError() { return lastError; }

std::string TakeParamStoreNotices() { return std::exchange(notices, {}); }
