// The XTest backend against the tests' own form program: what arrives is what a keyboard and a
// mouse would have sent.
#include "E2eSupport.h"
#include "platform/x11/X11InputBackend.h"
#include "platform/x11/X11Keymap.h"

#include <QCursor>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

using e2e::AnySynthetic;
using e2e::CountEvents;
using e2e::Form;
using telmo::x11::X11InputBackend;

namespace {

constexpr int kShift = 0x10;

struct Keyboard {
    telmo::InputBackend& in;
    void down(int vk) { in.keybd_event(static_cast<std::uint8_t>(vk), 0, 0, 0); }
    void up(int vk) { in.keybd_event(static_cast<std::uint8_t>(vk), 0, telmo::KEYEVENTF_KEYUP, 0); }
    void tap(int vk, bool shift = false) {
        if (shift) down(kShift);
        down(vk);
        up(vk);
        if (shift) up(kShift);
    }
};

void MoveTo(X11InputBackend& in, QPoint p) {
    const QSize s = in.primaryScreenSize();
    const auto dx = static_cast<std::int32_t>(std::nearbyint(p.x() * 65536.0 / s.width()));
    const auto dy = static_cast<std::int32_t>(std::nearbyint(p.y() * 65536.0 / s.height()));
    in.mouse_event(telmo::MOUSEEVENTF_MOVE | telmo::MOUSEEVENTF_ABSOLUTE, dx, dy, 0, 0);
}

std::unique_ptr<X11InputBackend> OpenBackend() {
    QString error;
    auto in = X11InputBackend::Open(&error);
    EXPECT_TRUE(in) << error.toStdString();
    return in;
}

QString Field(const QJsonObject& r, int i) {
    return r["fields"].toArray()[i].toString();
}

} // namespace

TEST(X11Input, KeysTypeTheirCharactersWithAndWithoutShift) {
    Form form;
    ASSERT_TRUE(form.ready());
    auto in = OpenBackend();
    ASSERT_TRUE(in);
    Keyboard kb{*in};
    struct Tap {
        int vk;
        bool shift;
    } taps[] = {{'H', true},   {'I', false},  {'1', true},   {0x20, false}, {'0', false},
                {'9', true},   {0xBA, false}, {0xBA, true},  {0xBB, false}, {0xBC, false},
                {0xBD, false}, {0xBE, false}, {0xBF, false}, {0xC0, false}, {0xDB, false},
                {0xDC, false}, {0xDD, false}, {0xDE, false}, {0xDE, true},  {0xE2, false},
                {0xE2, true},  {0x6A, false}, {0x6B, false}, {0x6D, false}, {0x6F, false}};
    for (const Tap& t : taps) kb.tap(t.vk, t.shift);
    const QString expected = "Hi! 0(;:=,-./`[\\]'\"<>*+-/";
    const QJsonObject r = form.reportWhen([&](const QJsonObject& r) { return Field(r, 0) == expected; });
    EXPECT_EQ(Field(r, 0), expected);
}

TEST(X11Input, KeypadDigitsTypeDigitsWhateverTheNumLockState) {
    Form form;
    ASSERT_TRUE(form.ready());
    auto in = OpenBackend();
    ASSERT_TRUE(in);
    Keyboard kb{*in};
    for (int round = 0; round < 2; ++round) {
        for (int vk = 0x60; vk <= 0x69; ++vk) kb.tap(vk);
        kb.tap(0x6E);
        if (round == 0) kb.tap(0x90); // Num Lock on for the second round
    }
    kb.tap(0x90); // and off again, as the server started
    const QString expected = "0123456789.0123456789.";
    const QJsonObject r = form.reportWhen([&](const QJsonObject& r) { return Field(r, 0) == expected; });
    EXPECT_EQ(Field(r, 0), expected);
    // Tab and arrow keys still move as they should after the keypad keys.
    kb.tap(0x09);
    kb.tap('Q');
    EXPECT_EQ(Field(form.reportWhen([](const QJsonObject& r) { return Field(r, 1) == "q"; }), 1), "q");
}

TEST(X11Input, KeysWithoutAKeysymSendNothingAndTheRunGoesOn) {
    Form form;
    ASSERT_TRUE(form.ready());
    auto in = OpenBackend();
    ASSERT_TRUE(in);
    Keyboard kb{*in};
    for (int vk : {0x00, 0x07, 0x0A, 0x0E, 0x3A, 0x88, 0xFF}) kb.tap(vk);
    kb.tap('A');
    const QJsonObject r = form.reportWhen([](const QJsonObject& r) { return !Field(r, 0).isEmpty(); });
    EXPECT_EQ(Field(r, 0), "a");
    EXPECT_EQ(r["keys"].toArray().size(), 1);
}

TEST(X11Input, AKeysymMissingFromTheLayoutArrivesAndTheBindingIsUndoneAfter) {
    constexpr std::uint32_t kAttn = 0xfd0e; // 3270_Attn: no layout carries it
    ASSERT_FALSE(telmo::x11::KeysymHasKeycode(kAttn));
    Form form;
    ASSERT_TRUE(form.ready());
    {
        auto in = OpenBackend();
        ASSERT_TRUE(in);
        Keyboard kb{*in};
        kb.tap(0xF6); // Attn
        kb.tap(0x87); // F24, bound the same way when the layout lacks it
        kb.tap('B');
        const QJsonObject r = form.reportWhen([](const QJsonObject& r) { return Field(r, 0) == "b"; });
        QList<qint64> natives;
        for (const QJsonValue& k : r["keys"].toArray()) natives << k.toArray()[2].toInteger();
        EXPECT_EQ(natives, (QList<qint64>{kAttn, 0xffd5, 'b'}));
        EXPECT_TRUE(telmo::x11::KeysymHasKeycode(kAttn));
    }
    EXPECT_FALSE(telmo::x11::KeysymHasKeycode(kAttn));
}

TEST(X11Input, AbsoluteMovesLandOnThePixel) {
    auto in = OpenBackend();
    ASSERT_TRUE(in);
    EXPECT_EQ(in->primaryScreenSize(), QSize(1920, 1080));
    for (QPoint p : {QPoint(100, 200), QPoint(960, 540), QPoint(0, 0), QPoint(1919, 1079), QPoint(7, 1033)}) {
        MoveTo(*in, p);
        EXPECT_TRUE(e2e::WaitFor([&] { return QCursor::pos() == p; }, 5000)) << p.x() << "," << p.y();
    }
}

TEST(X11Input, ClicksWheelAndSideButtonsArriveAsRealEvents) {
    Form form;
    ASSERT_TRUE(form.ready());
    auto in = OpenBackend();
    ASSERT_TRUE(in);
    QJsonObject r = form.report();

    MoveTo(*in, form.fieldCentre(r, 3));
    in->mouse_event(telmo::MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    in->mouse_event(telmo::MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    r = form.reportWhen([](const QJsonObject& r) { return r["focus"].toString() == "field3"; });
    EXPECT_EQ(r["focus"].toString(), "field3");

    const QJsonArray memo = r["memoRect"].toArray();
    MoveTo(*in, QPoint(memo[0].toInt() + memo[2].toInt() / 2, memo[1].toInt() + memo[3].toInt() / 2));
    for (int i = 0; i < 3; ++i) in->mouse_event(telmo::MOUSEEVENTF_WHEEL, 0, 0, -120, 0);
    r = form.reportWhen([](const QJsonObject& r) { return CountEvents(r, "wheel", -1) == 3; });
    const int down = r["memoScroll"].toInt();
    EXPECT_GT(down, 0);
    in->mouse_event(telmo::MOUSEEVENTF_WHEEL, 0, 0, 60, 0); // half a click waits for the other half
    in->mouse_event(telmo::MOUSEEVENTF_WHEEL, 0, 0, 60, 0);
    r = form.reportWhen([](const QJsonObject& r) { return CountEvents(r, "wheel", -1) == 4; });
    EXPECT_LT(r["memoScroll"].toInt(), down);
    EXPECT_EQ(CountEvents(r, "wheel", -1), 4);

    in->mouse_event(telmo::MOUSEEVENTF_XDOWN, 0, 0, 1, 0);
    in->mouse_event(telmo::MOUSEEVENTF_XUP, 0, 0, 1, 0);
    in->mouse_event(telmo::MOUSEEVENTF_XDOWN, 0, 0, 2, 0);
    in->mouse_event(telmo::MOUSEEVENTF_XUP, 0, 0, 2, 0);
    const QJsonArray pad = r["padRect"].toArray();
    MoveTo(*in, QPoint(pad[0].toInt() + pad[2].toInt() / 2, pad[1].toInt() + pad[3].toInt() / 2));
    in->mouse_event(telmo::MOUSEEVENTF_MIDDLEDOWN, 0, 0, 0, 0);
    in->mouse_event(telmo::MOUSEEVENTF_MIDDLEUP, 0, 0, 0, 0);
    r = form.reportWhen(
        [](const QJsonObject& r) { return CountEvents(r, "release", Qt::MiddleButton) == 1; });
    EXPECT_EQ(CountEvents(r, "press", Qt::BackButton), 1);
    EXPECT_EQ(CountEvents(r, "release", Qt::BackButton), 1);
    EXPECT_EQ(CountEvents(r, "press", Qt::ForwardButton), 1);
    EXPECT_EQ(CountEvents(r, "release", Qt::ForwardButton), 1);
    EXPECT_EQ(CountEvents(r, "press", Qt::MiddleButton), 1);
    EXPECT_EQ(CountEvents(r, "press", Qt::LeftButton), 1)
        << QJsonDocument(r["events"].toArray()).toJson().toStdString();
    EXPECT_FALSE(AnySynthetic(r)) << QJsonDocument(r).toJson().toStdString();
}
