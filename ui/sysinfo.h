// The About window's "System Info...": finding and starting the operating system's
// system-information tool through the registry, behind a small platform layer so that the
// look-up can be driven with a made-up registry on any platform.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>
#include <stdexcept>

#include "driver/messages.h"

namespace vapomet::ui {

inline constexpr std::uint32_t kHkeyLocalMachine = 0x80000002u;
// Query value, set value, create sub-key, enumerate sub-keys, notify, create link, read control.
inline constexpr std::uint32_t kKeyAccess = 0x2003Fu;
inline constexpr std::uint32_t kRegString = 1;  // REG_SZ
inline constexpr std::uint32_t kRegDword = 4;   // REG_DWORD
inline constexpr std::uint32_t kValueBufferSize = 1024;

inline const QString kSysInfoUnavailable =
    QStringLiteral("System Information Is Unavailable At This Time");

// What the program asks of the operating system for the system-information tool.
class SystemPlatform {
  public:
    using KeyHandle = std::uintptr_t;
    virtual ~SystemPlatform() = default;
    // Opens KeyName below the root key; false when it cannot be opened.
    virtual bool openKey(std::uint32_t root, const QString& keyName, std::uint32_t access,
                         KeyHandle& key) = 0;
    // Reads a value as 8-bit text into `buffer` of `size` bytes and tells its type; false when
    // the value is missing or does not fit. On success `size` is the number of bytes read.
    virtual bool queryValue(KeyHandle key, const QString& valueName, std::uint32_t& type,
                            char* buffer, std::uint32_t& size) = 0;
    virtual void closeKey(KeyHandle key) = 0;
    virtual bool isOrdinaryFile(const QString& path) = 0;
    // Starts the program as a separate process with a normal, activated window; does not wait.
    virtual bool startProcess(const QString& path) = 0;
};

// The platform the program runs on: the Windows registry where there is one; elsewhere no key
// can be opened.
std::unique_ptr<SystemPlatform> NativePlatform();

// A value that fills the whole buffer with no NUL in it: its text has no end.
class MissingEndMark : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Reads the value SubKeyRef of KeyName below KeyRoot into KeyVal. A string becomes the text;
// a 32-bit number becomes the codes of its bytes up to the first zero byte, from the last to
// the first, in hexadecimal, appended to KeyVal and read as a number; any other type leaves
// KeyVal as it was. False, with KeyVal empty, when the key or value cannot be read; throws
// MissingEndMark for a value without an end mark.
bool GetKeyValue(SystemPlatform& platform, std::uint32_t KeyRoot, const QString& KeyName,
                 const QString& SubKeyRef, QString& KeyVal);

// Starts the system-information tool, or tells the user it is unavailable.
void StartSysInfo(SystemPlatform& platform, MessageSink& messages);

}  // namespace vapomet::ui
