#include "ui/sysinfo.h"

#include <QFileInfo>
#include <QProcess>
#include <algorithm>
#include <vector>

#ifdef _WIN32
#include "ui/win32/win32_calls.h"
#endif

namespace vapomet::ui {

namespace {

// The general formatting of "&h" and hexadecimal digits: the number in decimal, or the text as
// it stands when it is no such number.
QString FormatHexLiteral(const QString& text) {
    if (!text.startsWith(QStringLiteral("&h"), Qt::CaseInsensitive)) return text;
    const QString digits = text.mid(2);
    if (digits.isEmpty() || digits.size() > 8) return text;
    bool ok = false;
    const quint32 value = digits.toUInt(&ok, 16);
    return ok ? QString::number(value) : text;
}

#ifdef _WIN32
// The registry of Windows, through the Qt-free calls of ui/win32.
class WindowsPlatform : public SystemPlatform {
  public:
    bool openKey(std::uint32_t root, const QString& keyName, std::uint32_t access,
                 KeyHandle& key) override {
        return win32::OpenKey(root, keyName.toLocal8Bit().toStdString(), access, key);
    }
    bool queryValue(KeyHandle key, const QString& valueName, std::uint32_t& type, char* buffer,
                    std::uint32_t& size) override {
        return win32::QueryValue(key, valueName.toLocal8Bit().toStdString(), type, buffer, size);
    }
    void closeKey(KeyHandle key) override { win32::CloseKey(key); }
    bool isOrdinaryFile(const QString& path) override { return QFileInfo(path).isFile(); }
    bool startProcess(const QString& path) override { return QProcess::startDetached(path, {}); }
};
#else
// No registry here: no key opens, so the tool is never found.
class PlatformWithoutRegistry : public SystemPlatform {
  public:
    bool openKey(std::uint32_t, const QString&, std::uint32_t, KeyHandle& key) override {
        key = 0;
        return false;
    }
    bool queryValue(KeyHandle, const QString&, std::uint32_t&, char*, std::uint32_t&) override {
        return false;
    }
    void closeKey(KeyHandle) override {}
    bool isOrdinaryFile(const QString& path) override { return QFileInfo(path).isFile(); }
    bool startProcess(const QString& path) override { return QProcess::startDetached(path, {}); }
};
#endif

}  // namespace

std::unique_ptr<SystemPlatform> NativePlatform() {
#ifdef _WIN32
    return std::make_unique<WindowsPlatform>();
#else
    return std::make_unique<PlatformWithoutRegistry>();
#endif
}

bool GetKeyValue(SystemPlatform& platform, std::uint32_t KeyRoot, const QString& KeyName,
                 const QString& SubKeyRef, QString& KeyVal) {
    SystemPlatform::KeyHandle key = 0;
    if (!platform.openKey(KeyRoot, KeyName, kKeyAccess, key)) {
        KeyVal.clear();
        platform.closeKey(key);
        return false;
    }

    std::vector<char> buffer(kValueBufferSize, '\0');
    std::uint32_t size = kValueBufferSize;
    std::uint32_t type = 0;
    if (!platform.queryValue(key, SubKeyRef, type, buffer.data(), size)) {
        KeyVal.clear();
        platform.closeKey(key);
        return false;
    }

    // The text ends before the first NUL; a buffer without one has no end.
    const auto end = std::find(buffer.begin(), buffer.end(), '\0');
    if (end == buffer.end()) {
        platform.closeKey(key);
        throw MissingEndMark("registry value " + SubKeyRef.toStdString() + " has no end mark");
    }
    const QByteArray cut(buffer.data(), static_cast<qsizetype>(end - buffer.begin()));

    switch (type) {
        case kRegString: KeyVal = QString::fromLocal8Bit(cut); break;
        case kRegDword:
            // The bytes of the number, least significant first, read from the last to the first.
            for (qsizetype i = cut.size() - 1; i >= 0; --i) {
                KeyVal += QString::number(static_cast<unsigned char>(cut[i]), 16).toUpper();
            }
            KeyVal = FormatHexLiteral(QStringLiteral("&h") + KeyVal);
            break;
        default:
            // Found, but of no type the program reads: the text stays as it was.
            break;
    }
    platform.closeKey(key);
    return true;
}

void StartSysInfo(SystemPlatform& platform, MessageSink& messages) {
    try {
        QString path;
        bool found = GetKeyValue(platform, kHkeyLocalMachine,
                                 QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                                 QStringLiteral("PATH"), path);
        if (!found) {
            found = GetKeyValue(platform, kHkeyLocalMachine,
                                QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"),
                                QStringLiteral("MSINFO"), path);
            if (found) {
                path += QStringLiteral("\\MSINFO32.EXE");
                if (!platform.isOrdinaryFile(path)) found = false;
            }
        }
        if (found && platform.startProcess(path)) return;
    } catch (const std::exception&) {
        // Any failure on the way ends in the one message below.
    }
    messages.showMessage(kSysInfoUnavailable);
}

}  // namespace vapomet::ui
