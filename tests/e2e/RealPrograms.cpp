#include "RealPrograms.h"

#include "E2eSupport.h"
#include "platform/x11/X11InputBackend.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <csignal>
#include <unistd.h>

namespace e2e {
namespace {

constexpr int kCtrl = 0x11, kShift = 0x10, kEscape = 0x1B;
constexpr int kEnd = 0x23, kHome = 0x24, kDown = 0x28, kDelete = 0x2E;
constexpr int kKeyA = 0x41, kKeyC = 0x43;

QByteArray FormPage(int fields) {
    QByteArray inputs;
    for (int i = 0; i < fields; ++i)
        inputs +=
            QByteArray("<p><input id=\"f") + QByteArray::number(i) + "\" autocomplete=\"off\" size=\"60\">\n";
    return R"(<!doctype html>
<html><head><meta charset="utf-8"><title>Telmo web form</title></head><body>
<form id="form" autocomplete="off">
)" + inputs +
           R"(<p><button type="submit">提交</button></form>
<script>
const form = document.getElementById('form');
const inputs = [...form.querySelectorAll('input')];
let submitted = 0;
form.addEventListener('submit', e => {
  e.preventDefault();
  const values = inputs.map(i => i.value);
  form.reset();
  inputs[0].focus();
  fetch('/record', {method: 'POST', headers: {'Content-Type': 'application/json; charset=utf-8'},
                    body: JSON.stringify({n: submitted++, values: values})});
});
inputs[0].focus();
const poll = setInterval(() => {
  if (document.hasFocus() && document.activeElement === inputs[0]) {
    clearInterval(poll);
    fetch('/ready', {method: 'POST'});
  }
}, 50);
</script></body></html>
)";
}

void Reply(QTcpSocket* socket, const QByteArray& status, const QByteArray& type, const QByteArray& body) {
    socket->write("HTTP/1.1 " + status + "\r\nContent-Type: " + type +
                  "\r\nContent-Length: " + QByteArray::number(body.size()) +
                  "\r\nCache-Control: no-store\r\nConnection: close\r\n\r\n" + body);
    socket->disconnectFromHost();
}

QString TempRoot() {
    return QDir::tempPath() + "/telmo-real-XXXXXX";
}

bool WaitForClipboard(const QString& expected, const std::function<void()>& copy, int timeoutMs) {
    return WaitFor([&] { return ClipboardTextAfter(copy, 500) == expected; }, timeoutMs);
}

// Rows of tab-separated fields, as spreadsheets and the text editor hand them out.
Records SplitRows(QString text, int fields) {
    text.replace("\r\n", "\n");
    if (text.endsWith('\n')) text.chop(1);
    Records rows;
    if (text.isEmpty()) return rows;
    for (const QString& line : text.split('\n')) {
        QStringList row = line.split('\t');
        while (row.size() > fields && row.last().isEmpty()) row.removeLast();
        rows << row;
    }
    return rows;
}

class BrowserTarget : public Target {
public:
    BrowserTarget(Browser browser, FormServer& server, const QProcessEnvironment& env) : server_(server) {
        const QString profile = dir_.filePath("profile");
        QDir().mkpath(profile);
        QString exe;
        QStringList args;
        if (browser == Browser::Chromium) {
            exe = "chromium";
            args = {"--no-sandbox",
                    "--user-data-dir=" + profile,
                    "--no-first-run",
                    "--no-default-browser-check",
                    "--disable-background-networking",
                    "--disable-component-update",
                    "--disable-sync",
                    "--password-store=basic",
                    "--disable-default-apps",
                    "--disable-extensions",
                    "--disable-features=Translate,AutofillServerCommunication,MediaRouter,OptimizationHints",
                    "--disable-session-crashed-bubble",
                    "--noerrdialogs",
                    "--disable-gpu",
                    "--gtk-version=3",
                    "--window-position=0,0",
                    "--window-size=1000,700",
                    "--app=" + server.url()};
        } else {
            exe = "firefox-esr";
            WriteTextFile(profile + "/user.js", FirefoxPrefs());
            args = {"--no-remote", "--new-instance", "--profile", profile, server.url()};
        }
        if (QStandardPaths::findExecutable(exe).isEmpty()) {
            problem_ = exe + " is not installed (scripts/install-deps.sh installs it)";
            return;
        }
        QProcessEnvironment e = env;
        e.insert("MOZ_CRASHREPORTER_DISABLE", "1");
        program_ = std::make_unique<Program>(exe, args, e);
    }

    bool waitReady(int timeoutMs) override {
        if (!program_) return false;
        if (WaitFor([&] { return server_.pageReady() || !program_->running(); }, timeoutMs) &&
            server_.pageReady())
            return true;
        problem_ = program_->running() ? "the form page never had the focus in its first field"
                                       : program_->program() + " ended before the form page was ready";
        return false;
    }

    Records readBack(int expectedRecords) override {
        WaitFor([&] { return server_.received() >= expectedRecords; }, 5000);
        return server_.records();
    }

private:
    static QString FirefoxPrefs() {
        const QStringList prefs = {"browser.shell.checkDefaultBrowser\", false",
                                   "browser.startup.homepage_override.mstone\", \"ignore\"",
                                   "startup.homepage_welcome_url\", \"\"",
                                   "startup.homepage_override_url\", \"\"",
                                   "browser.aboutwelcome.enabled\", false",
                                   "datareporting.policy.dataSubmissionEnabled\", false",
                                   "datareporting.healthreport.uploadEnabled\", false",
                                   "datareporting.policy.firstRunURL\", \"\"",
                                   "toolkit.telemetry.reportingpolicy.firstRun\", false",
                                   "toolkit.telemetry.enabled\", false",
                                   "app.update.auto\", false",
                                   "app.update.enabled\", false",
                                   "app.normandy.enabled\", false",
                                   "app.shield.optoutstudies.enabled\", false",
                                   "browser.sessionstore.resume_from_crash\", false",
                                   "toolkit.startup.max_resumed_crashes\", -1",
                                   "browser.tabs.warnOnClose\", false",
                                   "signon.rememberSignons\", false",
                                   "browser.formfill.enable\", false",
                                   "extensions.formautofill.addresses.enabled\", false",
                                   "extensions.update.enabled\", false",
                                   "browser.translations.enable\", false",
                                   "browser.safebrowsing.malware.enabled\", false",
                                   "browser.safebrowsing.phishing.enabled\", false",
                                   "network.captive-portal-service.enabled\", false",
                                   "network.connectivity-service.enabled\", false",
                                   "browser.search.update\", false",
                                   "browser.newtabpage.enabled\", false",
                                   "browser.uitour.enabled\", false",
                                   "browser.discovery.enabled\", false"};
        QString text;
        for (const QString& p : prefs) text += "user_pref(\"" + p + ");\n";
        return text;
    }

    QTemporaryDir dir_{TempRoot()};
    FormServer& server_;
    std::unique_ptr<Program> program_;
};

// A document whose first cell holds "ready": copying it proves that the program takes keys.
class DocumentTarget : public Target {
protected:
    bool waitReadyByCopy(int timeoutMs, const std::function<void()>& copy, const QString& expected) {
        if (!program_) return false;
        if (!WaitFor([&] { return !FocusedTitle().isEmpty() || !program_->running(); }, timeoutMs) ||
            !program_->running()) {
            problem_ = program_->program() + " did not show a focused window";
            return false;
        }
        if (WaitForClipboard(expected, copy, timeoutMs)) return true;
        problem_ = program_->program() + " never copied its first cell (focused: " + FocusedTitle() + ")";
        return false;
    }
    // The document's text as copy puts it on the clipboard; copies again when a copy went missing.
    QString copyOut(const std::function<void()>& copy) {
        QString text;
        if (!WaitFor(
                [&] {
                    text = ClipboardTextAfter(copy, 2000);
                    return !text.isEmpty();
                },
                10000))
            problem_ = program_->program() + " copied nothing (focused: " + FocusedTitle() + ")";
        return text;
    }
    QTemporaryDir dir_{TempRoot()};
    std::unique_ptr<Program> program_;
};

class CalcTarget : public DocumentTarget {
public:
    CalcTarget(int columns, const QProcessEnvironment& env) : columns_(columns) {
        if (QStandardPaths::findExecutable("soffice").isEmpty()) {
            problem_ = "soffice is not installed (scripts/install-deps.sh installs libreoffice-calc)";
            return;
        }
        const QString user = dir_.filePath("profile/user");
        QDir().mkpath(user);
        WriteTextFile(user + "/registrymodifications.xcu", Registry());
        const QString sheet = dir_.filePath("sheet.fods");
        WriteTextFile(sheet, Sheet());
        program_ =
            std::make_unique<Program>("soffice",
                                      QStringList{"-env:UserInstallation=file://" + dir_.filePath("profile"),
                                                  "--norestore", "--nologo", "--calc", sheet},
                                      env);
    }

    bool waitReady(int timeoutMs) override {
        const bool ready = waitReadyByCopy(
            timeoutMs,
            [] {
                Chord({kCtrl, kHome});
                Chord({kCtrl, kKeyC});
            },
            "ready");
        // The copied cell's marquee would make Enter paste it; then the cursor goes to A2.
        Chord({kEscape});
        Chord({kDown});
        return ready;
    }

    Records readBack(int) override {
        const QString text = copyOut([] {
            Chord({kCtrl, kHome});
            Chord({kDown});
            Chord({kCtrl, kShift, kEnd});
            Chord({kCtrl, kKeyC});
        });
        Chord({kEscape});
        return SplitRows(text, columns_);
    }

private:
    static QString Registry() {
        auto item = [](const QString& path, const QString& name, const QString& value) {
            return "<item oor:path=\"" + path + "\"><prop oor:name=\"" + name + "\" oor:op=\"fuse\"><value>" +
                   value + "</value></prop></item>\n";
        };
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<oor:items "
               "xmlns:oor=\"http://openoffice.org/2001/registry\" "
               "xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" "
               "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n" +
               item("/org.openoffice.Office.Common/Misc", "ShowTipOfTheDay", "false") +
               item("/org.openoffice.Office.Common/Misc", "FirstRun", "false") +
               item("/org.openoffice.Setup/Office", "ooSetupInstCompleted", "true") +
               item("/org.openoffice.Setup/Product", "ooSetupLastVersion", "7.4") +
               item("/org.openoffice.Office.Recovery/AutoSave", "Enabled", "false") +
               item("/org.openoffice.Office.Common/Save/Document", "AutoSave", "false") + "</oor:items>\n";
    }

    // Every cell of the sheet has a text number format, so digits stay text.
    static QString Sheet() {
        return R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0"
 xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:number="urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0"
 office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.spreadsheet">
<office:automatic-styles>
<number:text-style style:name="N100"><number:text-content/></number:text-style>
<style:style style:name="ce1" style:family="table-cell" style:parent-style-name="Default" style:data-style-name="N100"/>
</office:automatic-styles>
<office:body><office:spreadsheet><table:table table:name="Sheet1">
<table:table-column table:number-columns-repeated="16" table:default-cell-style-name="ce1"/>
<table:table-row><table:table-cell table:style-name="ce1" office:value-type="string"><text:p>ready</text:p></table:table-cell><table:table-cell table:number-columns-repeated="15"/></table:table-row>
<table:table-row table:number-rows-repeated="200"><table:table-cell table:number-columns-repeated="16"/></table:table-row>
</table:table></office:spreadsheet></office:body></office:document>
)";
    }

    int columns_;
};

class TextEditorTarget : public DocumentTarget {
public:
    explicit TextEditorTarget(const QProcessEnvironment& env) {
        if (QStandardPaths::findExecutable("mousepad").isEmpty()) {
            problem_ = "mousepad is not installed (scripts/install-deps.sh installs it)";
            return;
        }
        const QString file = dir_.filePath("records.txt");
        WriteTextFile(file, "ready");
        QProcessEnvironment e = env;
        e.insert("XDG_CONFIG_HOME", dir_.filePath("config"));
        program_ = std::make_unique<Program>("mousepad", QStringList{"--disable-server", file}, e);
    }

    bool waitReady(int timeoutMs) override {
        const bool ready = waitReadyByCopy(
            timeoutMs,
            [] {
                Chord({kCtrl, kKeyA});
                Chord({kCtrl, kKeyC});
            },
            "ready");
        Chord({kDelete});
        return ready;
    }

    Records readBack(int) override {
        return SplitRows(copyOut([] {
                             Chord({kCtrl, kKeyA});
                             Chord({kCtrl, kKeyC});
                         }),
                         5);
    }
};

} // namespace

FormServer::FormServer(int fields) : fields_(fields) {
    QObject::connect(&server_, &QTcpServer::newConnection, [this] {
        while (QTcpSocket* s = server_.nextPendingConnection()) {
            QObject::connect(s, &QTcpSocket::readyRead, s, [this, s] { serve(s); });
            QObject::connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
        }
    });
    server_.listen(QHostAddress::LocalHost, 0);
}

FormServer::~FormServer() {
    server_.close();
}

QString FormServer::url() const {
    return QString("http://127.0.0.1:%1/").arg(server_.serverPort());
}

void FormServer::serve(QTcpSocket* socket) {
    const QByteArray request = socket->property("request").toByteArray() + socket->readAll();
    socket->setProperty("request", request);
    const int headEnd = request.indexOf("\r\n\r\n");
    if (headEnd < 0) return;
    const QList<QByteArray> head = request.left(headEnd).split('\n');
    qsizetype length = 0;
    for (const QByteArray& line : head)
        if (line.toLower().startsWith("content-length:")) length = line.mid(15).trimmed().toLongLong();
    const QByteArray body = request.mid(headEnd + 4);
    if (body.size() < length) return;
    const QList<QByteArray> first = head.value(0).trimmed().split(' ');
    const QByteArray method = first.value(0), path = first.value(1);
    if (method == "GET" && path == "/") {
        Reply(socket, "200 OK", "text/html; charset=utf-8", FormPage(fields_));
    } else if (method == "POST" && path == "/ready") {
        ready_ = true;
        Reply(socket, "204 No Content", "text/plain", {});
    } else if (method == "POST" && path == "/record") {
        // Each submission travels on a connection of its own; the page numbers them.
        const QJsonObject o = QJsonDocument::fromJson(body.left(length)).object();
        QStringList record;
        for (const QJsonValue& v : o["values"].toArray()) record << v.toString();
        const int n = o["n"].toInt(-1);
        if (n >= 0) {
            while (records_.size() <= n) records_ << QStringList{};
            records_[n] = record;
        }
        ++received_;
        Reply(socket, "204 No Content", "text/plain", {});
    } else {
        Reply(socket, "404 Not Found", "text/plain", "not found");
    }
}

Program::Program(const QString& program, const QStringList& args, const QProcessEnvironment& env,
                 const QString& logFile) {
    process_.setProgram(program);
    process_.setArguments(args);
    process_.setProcessEnvironment(env);
    if (logFile.isEmpty()) {
        process_.setStandardOutputFile(QProcess::nullDevice());
        process_.setStandardErrorFile(QProcess::nullDevice());
    } else {
        process_.setProcessChannelMode(QProcess::MergedChannels);
        process_.setStandardOutputFile(logFile);
    }
    process_.setChildProcessModifier([] { ::setsid(); });
    process_.start();
    started_ = process_.waitForStarted(10000);
}

Program::~Program() {
    if (!started_) return;
    const pid_t group = static_cast<pid_t>(process_.processId());
    if (group > 0) ::kill(-group, SIGTERM);
    if (!process_.waitForFinished(5000) && group > 0) ::kill(-group, SIGKILL);
    process_.waitForFinished(5000);
    if (group > 0) ::kill(-group, SIGKILL); // helpers that outlived the main process
}

QProcessEnvironment TargetEnvironment() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("NO_AT_BRIDGE", "1");
    env.insert("GSETTINGS_BACKEND", "memory");
    env.insert("LANG", "C.UTF-8");
    return env;
}

std::unique_ptr<Target> StartBrowser(Browser browser, FormServer& server, const QProcessEnvironment& env) {
    return std::make_unique<BrowserTarget>(browser, server, env);
}

std::unique_ptr<Target> StartCalc(int columns, const QProcessEnvironment& env) {
    return std::make_unique<CalcTarget>(columns, env);
}

std::unique_ptr<Target> StartTextEditor(const QProcessEnvironment& env) {
    return std::make_unique<TextEditorTarget>(env);
}

Records SampleRecords(int n, int fields) {
    static const QStringList names = {"张三",   "李四",   "王𠮷祥", "欧阳娜娜", "赵钱孙",
                                      "𠮷野家", "司马懿", "周杰伦", "陈奕迅",   "林青霞"};
    static const QStringList places = {"北京市朝阳区建国路88号（华贸中心）",
                                       "上海市浦东新区，世纪大道100号。", "广州市“天河区”体育西路",
                                       "深圳市南山区《科技园》南区", "杭州市西湖区龙井路１号"};
    static const QStringList notes = {"备注：已核对。", "电话：010-12345678", "“加急”，请于《周五》前处理",
                                      "𠮷𠮷𠮷 三个生僻字", "混合 Mixed 文本（半角 and 全角）"};
    Records records;
    for (int i = 0; i < n; ++i) {
        const QString id = i % 2 ? QString("1101051949123100%1X").arg(i % 10)
                                 : QString("44030119900101%1").arg(1234 + i, 4, 10, QChar('0'));
        QStringList r = {names[i % names.size()], id, places[i % places.size()], notes[i % notes.size()],
                         QString("第%1条记录，金额１２３.%2元").arg(i + 1).arg(i % 10)};
        while (r.size() < fields) r << QString("字段%1").arg(r.size() + 1);
        records << r.mid(0, fields);
    }
    return records;
}

QStringList Flatten(const Records& records) {
    QStringList out;
    for (const QStringList& r : records) out << r;
    return out;
}

QStringList FillScript(int fields, const QStringList& recordEnd) {
    QStringList script;
    for (int i = 0; i < fields; ++i) {
        script << "CPY"
               << "PST";
        if (i + 1 < fields) script << "KEY 9,0";
    }
    return script << recordEnd;
}

QString DiffRecords(const Records& expected, const Records& actual) {
    QString diff;
    const int rows = std::max(expected.size(), actual.size());
    for (int r = 0; r < rows; ++r) {
        const QStringList e = r < expected.size() ? expected[r] : QStringList{};
        const QStringList a = r < actual.size() ? actual[r] : QStringList{};
        const int cols = std::max(e.size(), a.size());
        for (int c = 0; c < cols; ++c) {
            const QString ev = c < e.size() ? e[c] : "<none>", av = c < a.size() ? a[c] : "<none>";
            if (ev != av)
                diff += QString("record %1 field %2: expected \"%3\", got \"%4\"\n")
                            .arg(r + 1)
                            .arg(c + 1)
                            .arg(ev, av);
        }
    }
    return diff;
}

int IntactFields(const Records& expected, const Records& actual) {
    int n = 0;
    for (int r = 0; r < std::min(expected.size(), actual.size()); ++r)
        for (int c = 0; c < std::min(expected[r].size(), actual[r].size()); ++c)
            n += expected[r][c] == actual[r][c];
    return n;
}

void Chord(std::initializer_list<int> vks) {
    QString error;
    auto in = telmo::x11::X11InputBackend::Open(&error);
    if (!in) return;
    for (int vk : vks) in->keybd_event(static_cast<std::uint8_t>(vk), 0, 0, 0);
    for (auto it = std::rbegin(vks); it != std::rend(vks); ++it)
        in->keybd_event(static_cast<std::uint8_t>(*it), 0, telmo::KEYEVENTF_KEYUP, 0);
}

QString ClipboardTextAfter(const std::function<void()>& copy, int timeoutMs) {
    // A program's copy takes the clipboard over, which the clipboard reports as a change. Taking
    // it ourselves first would need a current X timestamp, which a test that sees few events lacks.
    QClipboard* clipboard = QGuiApplication::clipboard();
    int changes = 0;
    const QMetaObject::Connection counting =
        QObject::connect(clipboard, &QClipboard::dataChanged, [&] { ++changes; });
    copy();
    const bool changed = WaitFor([&] { return changes > 0; }, timeoutMs);
    QObject::disconnect(counting);
    if (!changed) return {};
    QString text = clipboard->text();
    if (text.endsWith('\n')) text.chop(text.endsWith("\r\n") ? 2 : 1);
    return text;
}

} // namespace e2e
