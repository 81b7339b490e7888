// Per-user named settings: 32-bit integers and strings under a key named
// after the pack or a game. Each key is one profile file,
// $XDG_CONFIG_HOME/Kestrelworks/<key>.ini, with a section [<key>]. Value
// names are matched without regard to case. Changes made through an open
// store are saved, atomically, when it is closed.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

struct TParamKey;

constexpr int32_t PARAM_CREATED_NEW_KEY = 1;
constexpr int32_t PARAM_OPENED_EXISTING_KEY = 2;

// One open key, from OpenParams to CloseParams. Destroying an open store closes it.
struct TParamStore {
    TParamStore();
    ~TParamStore();
    TParamStore(const TParamStore&) = delete;
    TParamStore& operator=(const TParamStore&) = delete;

    std::unique_ptr<TParamKey> Key;  // none when closed
    // PARAM_CREATED_NEW_KEY when the key did not exist (or could not be
    // read): then every read stores its default.
    int32_t Disposition = 0;
    std::string IniFile;  // the profile file in use
    std::string Section;  // the key name
    int32_t UseRegistry = 0;
};

// useRegistry 1: the per-user file of keyName (iniFile is ignored);
// 0: the profile file iniFile, section keyName.
void OpenParams(const char* iniFile, const char* keyName, TParamStore& store, int32_t useRegistry);
// Saves the store's changes; false (with one warning on stderr) if they could not be saved.
bool CloseParams(TParamStore& store);

int32_t ReadParamInt(TParamStore& store, const char* name, int32_t defaultValue);
void WriteParamInt(TParamStore& store, const char* name, int32_t value);
// Leaves the stored text, or the default, in buffer. A stored text that does
// not fit in bufferSize - 1 bytes with its NUL is not taken. defaultValue and
// buffer may be the same text.
void ReadParamString(TParamStore& store, const char* name, const char* defaultValue, char* buffer, int bufferSize);
void WriteParamString(TParamStore& store, const char* name, const char* text);
// Opens keyName, reads one string into a shared 1024-character buffer and
// closes the key; the next call overwrites the buffer.
const char* GetParamString(const char* keyName, const char* name, const char* defaultValue);

// Called before a game starts. Every closed store is already on disk; this
// reports whether all saves since the previous flush succeeded and starts afresh.
bool FlushParams();
// Why the last failed save failed since the previous flush; empty if none did.
std::string ParamStoreError();
// The damaged or unreadable files met since the last call (what was done
// with each, one per line), and forgets them.
std::string TakeParamStoreNotices();
// The per-user profile file of a key.
std::string ParamFilePath(const std::string& keyName);
