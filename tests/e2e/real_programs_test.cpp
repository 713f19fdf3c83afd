// `telmo-cli run` filling real programs from the distribution on the test display with the plain
// script a user writes (CPY and PST per field, Tab between fields, one record a pass), every field
// of every record compared byte for byte; also with a Chinese input method switched on.
#include "DisplayRun.h"
#include "E2eSupport.h"
#include "InputMethod.h"
#include "RealPrograms.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

constexpr int kRecords = 10;
constexpr int kFields = 5;
constexpr int kStartTimeoutMs = 90000;

// Fills the ready target with the records and compares what it holds afterwards.
void FillAndCheck(Target& target, const QStringList& recordEnd,
                  const QProcessEnvironment& runEnv = QProcessEnvironment::systemEnvironment()) {
    const Records records = SampleRecords(kRecords, kFields);
    // The run logs every paste's conversation (requests, redraws, when it went on): printed when a
    // field is wrong, it shows why.
    QProcessEnvironment env = runEnv;
    env.insert("QT_LOGGING_RULES", "telmo.paste.debug=true");
    env.insert("QT_MESSAGE_PATTERN", "%{time process} %{message}");
    DisplayRun run(FillScript(kFields, recordEnd), Flatten(records),
                   {"--count", QString::number(kRecords), "--interval", "1"}, env);
    ASSERT_TRUE(run.confirm()) << "the run's confirmation never had the focus";
    ASSERT_EQ(run.finish(), 0) << run.standardError().toStdString();
    const Records got = target.readBack(kRecords);
    const int intact = IntactFields(records, got);
    std::printf("fields intact: %d/%d (run %lld ms)\n", intact, kRecords * kFields,
                static_cast<long long>(run.elapsedMs()));
    const QString diff = DiffRecords(records, got);
    if (!diff.isEmpty() || qEnvironmentVariableIsSet("TELMO_PASTE_LOG"))
        std::fprintf(stderr, "%s\n", run.standardError().constData());
    EXPECT_TRUE(diff.isEmpty()) << intact << "/" << kRecords * kFields << " fields intact; "
                                << target.problem().toStdString() << "\n"
                                << diff.toStdString();
}

} // namespace

TEST(RealPrograms, ChromiumFormReceivesEveryFieldOfEveryRecord) {
    FormServer server(kFields);
    ASSERT_TRUE(server.listening());
    auto chromium = StartBrowser(Browser::Chromium, server, TargetEnvironment());
    ASSERT_TRUE(chromium->waitReady(kStartTimeoutMs)) << chromium->problem().toStdString();
    FillAndCheck(*chromium, kEnterEndsRecord);
}

TEST(RealPrograms, FirefoxFormReceivesEveryFieldOfEveryRecord) {
    FormServer server(kFields);
    ASSERT_TRUE(server.listening());
    auto firefox = StartBrowser(Browser::Firefox, server, TargetEnvironment());
    ASSERT_TRUE(firefox->waitReady(kStartTimeoutMs)) << firefox->problem().toStdString();
    FillAndCheck(*firefox, kEnterEndsRecord);
}

TEST(RealPrograms, CalcTextCellsHoldEveryFieldInItsCell) {
    auto calc = StartCalc(kFields, TargetEnvironment());
    ASSERT_TRUE(calc->waitReady(kStartTimeoutMs)) << calc->problem().toStdString();
    FillAndCheck(*calc, kNextRowEndsRecord);
}

TEST(RealPrograms, GtkEditorGetsOneLinePerRecordWithTabsBetweenFields) {
    auto editor = StartTextEditor(TargetEnvironment());
    ASSERT_TRUE(editor->waitReady(kStartTimeoutMs)) << editor->problem().toStdString();
    FillAndCheck(*editor, kEnterEndsRecord);
}

// With pinyin switched on, keys go through the input method first; pastes, Tab and Enter must
// still arrive intact and in order. The run itself runs in the same input-method session.
TEST(RealProgramsWithPinyin, GtkEditorGetsEveryField) {
    InputMethod im;
    ASSERT_TRUE(im.ready()) << im.problem().toStdString();
    const QProcessEnvironment env = im.environment(TargetEnvironment());
    auto editor = StartTextEditor(env);
    ASSERT_TRUE(editor->waitReady(kStartTimeoutMs)) << editor->problem().toStdString();
    ASSERT_TRUE(im.switchOnInFocusedWindow())
        << "pinyin is not on in the editor: " << im.activeInputMethod().toStdString();
    // Letters typed as keys go to the input method: n, i, space commits the first candidate.
    for (int vk : {'N', 'I', ' '}) Chord({vk});
    ASSERT_EQ(editor->readBack(1), Records{{"你"}}) << "the letters did not go through pinyin";
    Chord({0x2E}); // Delete clears the selected text again
    FillAndCheck(*editor, kEnterEndsRecord, env);
}

TEST(RealProgramsWithPinyin, ChromiumGetsEveryField) {
    InputMethod im;
    ASSERT_TRUE(im.ready()) << im.problem().toStdString();
    const QProcessEnvironment env = im.environment(TargetEnvironment());
    FormServer server(kFields);
    ASSERT_TRUE(server.listening());
    auto chromium = StartBrowser(Browser::Chromium, server, env);
    ASSERT_TRUE(chromium->waitReady(kStartTimeoutMs)) << chromium->problem().toStdString();
    ASSERT_TRUE(im.switchOnInFocusedWindow())
        << "pinyin is not on in the form page: " << im.activeInputMethod().toStdString();
    FillAndCheck(*chromium, kEnterEndsRecord, env);
}
