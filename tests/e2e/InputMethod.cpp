#include "InputMethod.h"

#include "E2eSupport.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace e2e {
namespace {

constexpr char kProfile[] = R"([Groups/0]
Name=Default
Default Layout=us
DefaultIM=pinyin

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/0/Items/1]
Name=pinyin
Layout=

[GroupOrder]
0=Default
)";

} // namespace

InputMethod::InputMethod() : dir_(QDir::tempPath() + "/telmo-im-XXXXXX") {
    for (const char* exe : {"dbus-daemon", "fcitx5", "fcitx5-remote"})
        if (QStandardPaths::findExecutable(exe).isEmpty()) {
            problem_ = QString("%1 is not installed (scripts/install-deps.sh installs it)").arg(exe);
            return;
        }
    const QString config = dir_.filePath("config/fcitx5");
    QDir().mkpath(config + "/conf");
    WriteTextFile(config + "/profile", kProfile);
    WriteTextFile(config + "/config", "[Behavior]\nActiveByDefault=True\nShareInputState=No\n");
    WriteTextFile(config + "/conf/pinyin.conf", "CloudPinyinEnabled=False\n");

    const QString socket = dir_.filePath("bus");
    bus_ = "unix:path=" + socket;
    const QProcessEnvironment base = TargetEnvironment();
    dbus_ = std::make_unique<Program>(
        "dbus-daemon", QStringList{"--session", "--address=" + bus_, "--nofork", "--nopidfile"}, base);
    if (!WaitFor([&] { return QFile::exists(socket); }, 20000)) {
        problem_ = "the session bus did not start";
        return;
    }
    // No network: cloud pinyin off. An input context made before the daemon has read its input
    // methods starts switched off, so ready waits for the line of its log that says it has.
    const QString log = dir_.filePath("fcitx5.log");
    daemon_ =
        std::make_unique<Program>("fcitx5", QStringList{"--disable=cloudpinyin"}, environment(base), log);
    ready_ = WaitFor(
        [&] {
            QFile f(log);
            return f.open(QIODevice::ReadOnly) && f.readAll().contains("input method(s) in addon keyboard") &&
                   !remote({}).isEmpty();
        },
        30000);
    if (!ready_) problem_ = "fcitx5 did not answer on its bus";
}

QProcessEnvironment InputMethod::environment(const QProcessEnvironment& base) const {
    QProcessEnvironment env = base;
    env.insert("DBUS_SESSION_BUS_ADDRESS", bus_);
    env.insert("GTK_IM_MODULE", "fcitx");
    env.insert("QT_IM_MODULE", "fcitx");
    env.insert("XMODIFIERS", "@im=fcitx");
    env.insert("FCITX_CONFIG_HOME", dir_.filePath("config/fcitx5"));
    env.insert("XDG_CONFIG_HOME", dir_.filePath("config"));
    return env;
}

bool InputMethod::switchOnInFocusedWindow() const {
    return WaitFor(
        [&] {
            const QString state = remote({});
            if (state == "1") remote({"-o"}); // as the user's Ctrl+Space would
            return state == "2" && remote({"-n"}) == "pinyin";
        },
        15000);
}

QString InputMethod::activeInputMethod() const {
    const QString state = remote({});
    return state == "2" ? remote({"-n"}) : "state " + state;
}

QString InputMethod::remote(const QStringList& args) const {
    QProcess p;
    p.setProcessEnvironment(environment(TargetEnvironment()));
    p.start("fcitx5-remote", args);
    if (!p.waitForFinished(5000) || p.exitCode() != 0) return {};
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

} // namespace e2e
