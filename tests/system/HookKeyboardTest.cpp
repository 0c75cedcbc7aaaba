// The Windows-key decisions of the keyboard hook, driven with key scripts. Injected keystrokes are fed back
// through the hook both ways they are delivered (nested, as Wine does; queued, as Windows does), so a hook that
// feeds itself shows up as a runaway and one that relies on either order shows up as a different sequence.
#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <ostream>
#include <vector>

#include "system/KeyboardHookLogic.h"

namespace tessaline {

void PrintTo(const TSyntheticKey& key, std::ostream* out) {
    *out << (key.Up ? "up " : "down ") << key.Key;
}

namespace {

constexpr uint32_t kLeft = kVkLeftWindows;
constexpr uint32_t kRight = kVkRightWindows;
constexpr uint32_t kE = 'E';
constexpr uint32_t kR = 'R';
constexpr uint32_t kS = 'S';
constexpr uint32_t kShift = 0xA0;

TSyntheticKey Down(uint32_t key) {
    return {key, false};
}
TSyntheticKey Up(uint32_t key) {
    return {key, true};
}

struct Outcome {
    std::vector<TSyntheticKey> seen;  // what passed the hook, in the order the rest of the system got it
    int toggles = 0;
    bool injectedWhilePassing = false;
};

constexpr int kRunaway = 64;

TKeyDecision Feed(TKeyboardHookLogic& logic, TSyntheticKey event) {
    return logic.KeyEvent(kHookAction, event.Up ? kKeyUpMessage : kKeyDownMessage, event);
}

// Every decision that injects withholds its own event; otherwise the two deliveries below would differ.
void Decided(const TKeyDecision& decision, Outcome& outcome) {
    outcome.toggles += decision.PostShowToggle ? 1 : 0;
    outcome.injectedWhilePassing = outcome.injectedWhilePassing || (!decision.Inject.empty() && !decision.Withhold);
}

// Wine: an injected keystroke goes through the hook inside SendInput, before the event that injected it goes on.
void FeedNested(TKeyboardHookLogic& logic, TSyntheticKey event, int depth, int& calls, Outcome& outcome) {
    if (++calls > kRunaway || depth > kRunaway) {
        return;
    }
    const TKeyDecision decision = Feed(logic, event);
    Decided(decision, outcome);
    for (TSyntheticKey injected : decision.Inject) {
        FeedNested(logic, injected, depth + 1, calls, outcome);
    }
    if (!decision.Withhold) {
        outcome.seen.push_back(event);
    }
}

Outcome RunNested(const std::vector<TSyntheticKey>& script, int& calls) {
    TKeyboardHookLogic logic;
    Outcome outcome;
    for (TSyntheticKey event : script) {
        FeedNested(logic, event, 0, calls, outcome);
    }
    return outcome;
}

// Windows: injected keystrokes join the input queue behind the event being processed and reach the hook after it
// has gone on (or been withheld).
Outcome RunQueued(const std::vector<TSyntheticKey>& script, int& calls) {
    TKeyboardHookLogic logic;
    Outcome outcome;
    std::deque<TSyntheticKey> queue(script.begin(), script.end());
    while (!queue.empty() && ++calls <= kRunaway) {
        const TSyntheticKey event = queue.front();
        queue.pop_front();
        const TKeyDecision decision = Feed(logic, event);
        Decided(decision, outcome);
        if (!decision.Withhold) {
            outcome.seen.push_back(event);
        }
        queue.insert(queue.begin(), decision.Inject.begin(), decision.Inject.end());
    }
    return outcome;
}

// Keys the rest of the system saw go down and never saw go up.
std::vector<uint32_t> KeysLeftDown(const std::vector<TSyntheticKey>& seen) {
    std::map<uint32_t, bool> down;
    for (TSyntheticKey event : seen) {
        down[event.Key] = !event.Up;
    }
    std::vector<uint32_t> left;
    for (auto [key, isDown] : down) {
        if (isDown) {
            left.push_back(key);
        }
    }
    return left;
}

struct Case {
    const char* name;
    std::vector<TSyntheticKey> script;
    std::vector<TSyntheticKey> seen;  // what the system gets, in order, however injected input is delivered
    int toggles;
};

void ExpectBothDeliveries(const Case& c) {
    SCOPED_TRACE(c.name);
    for (bool nested : {true, false}) {
        SCOPED_TRACE(nested ? "nested delivery (Wine)" : "queued delivery (Windows)");
        int calls = 0;
        const Outcome outcome = nested ? RunNested(c.script, calls) : RunQueued(c.script, calls);
        ASSERT_LE(calls, kRunaway) << "the hook keeps injecting";
        EXPECT_EQ(outcome.seen, c.seen);
        EXPECT_EQ(outcome.toggles, c.toggles);
        EXPECT_FALSE(outcome.injectedWhilePassing);
        EXPECT_EQ(KeysLeftDown(outcome.seen), std::vector<uint32_t>{});
    }
}

TEST(KeyboardHookLogic, KeyScriptsReachTheSystemInTheSameOrderWhetherInjectedInputIsNestedOrQueued) {
    const Case cases[] = {
        {"left key alone", {Down(kLeft), Up(kLeft)}, {Up(kLeft)}, 1},
        {"right key alone ends with a left key-up", {Down(kRight), Up(kRight)}, {Up(kLeft)}, 1},
        {"auto-repeat while withheld", {Down(kLeft), Down(kLeft), Down(kLeft), Down(kLeft), Up(kLeft)}, {Up(kLeft)}, 1},
        {"right key auto-repeat while withheld",
         {Down(kRight), Down(kRight), Down(kRight), Up(kRight)},
         {Up(kLeft)},
         1},
        {"pressed twice", {Down(kLeft), Up(kLeft), Down(kRight), Up(kRight)}, {Up(kLeft), Up(kLeft)}, 2},
        {"Win+E", {Down(kLeft), Down(kE), Up(kE), Up(kLeft)}, {Down(kLeft), Down(kE), Up(kE), Up(kLeft)}, 0},
        {"Win+E, Windows key released first",
         {Down(kLeft), Down(kE), Up(kLeft), Up(kE)},
         {Down(kLeft), Down(kE), Up(kLeft), Up(kE)},
         0},
        {"Win+Shift+S",
         {Down(kLeft), Down(kShift), Down(kS), Up(kS), Up(kShift), Up(kLeft)},
         {Down(kLeft), Down(kShift), Down(kS), Up(kS), Up(kShift), Up(kLeft)},
         0},
        {"right Win+E stands in a left key",
         {Down(kRight), Down(kE), Up(kE), Up(kRight)},
         {Down(kLeft), Down(kE), Up(kE), Up(kLeft)},
         0},
        {"right Win+E, Windows key released first",
         {Down(kRight), Down(kE), Up(kRight), Up(kE)},
         {Down(kLeft), Down(kE), Up(kLeft), Up(kE)},
         0},
        {"Windows key held with repeats before and after E",
         {Down(kLeft), Down(kLeft), Down(kLeft), Down(kE), Down(kLeft), Down(kE), Up(kE), Up(kLeft)},
         {Down(kLeft), Down(kE), Down(kLeft), Down(kE), Up(kE), Up(kLeft)},
         0},
        {"right key held with repeats after E",
         {Down(kRight), Down(kE), Down(kRight), Up(kE), Up(kRight)},
         {Down(kLeft), Down(kE), Up(kE), Up(kLeft)},
         0},
        {"two combinations in one hold",
         {Down(kLeft), Down(kE), Up(kE), Down(kR), Up(kR), Up(kLeft)},
         {Down(kLeft), Down(kE), Up(kE), Down(kR), Up(kR), Up(kLeft)},
         0},
        {"both Windows keys, released alone",
         {Down(kLeft), Down(kRight), Up(kRight), Up(kLeft)},
         {Up(kLeft), Up(kLeft)},
         1},
        {"both Windows keys, then E",
         {Down(kLeft), Down(kRight), Down(kE), Up(kE), Up(kRight), Up(kLeft)},
         {Down(kLeft), Down(kE), Up(kE), Up(kRight), Up(kLeft)},
         0},
        {"Windows key-up that was not withheld", {Up(kLeft)}, {Up(kLeft)}, 0},
        {"modifier released while the Windows key is withheld",
         {Down(kShift), Down(kLeft), Up(kShift), Up(kLeft)},
         {Down(kShift), Up(kShift), Up(kLeft)},
         1},
    };
    for (const Case& c : cases) {
        ExpectBothDeliveries(c);
    }
}

TEST(KeyboardHookLogic, TheWithheldKeyIsInjectedAsTheSameKeystroke) {
    // An arrow key is an extended key; its copy must stay one, or the system reads the numeric pad's 6.
    const TSyntheticKey right{0x27, false, 0x4D, true, 0x7E57};
    TKeyboardHookLogic logic;
    Feed(logic, Down(kLeft));
    const TKeyDecision decision = Feed(logic, right);
    EXPECT_TRUE(decision.Withhold);
    EXPECT_EQ(decision.Inject, (std::vector<TSyntheticKey>{Down(kLeft), right}));
}

TEST(KeyboardHookLogic, OtherCodesAndMessagesFollowTheWithheldKeyAndChangeNothing) {
    struct Other {
        int code;
        uint32_t message;
    };
    for (bool held : {false, true}) {
        for (Other other : {Other{1, kKeyDownMessage}, Other{-1, kKeyUpMessage}, Other{kHookAction, 0x0102}}) {
            SCOPED_TRACE(testing::Message()
                         << "held " << held << ", code " << other.code << ", message " << other.message);
            TKeyboardHookLogic logic;
            if (held) {
                Feed(logic, Down(kLeft));
            }
            const TKeyDecision decision = logic.KeyEvent(other.code, other.message, kLeft);
            EXPECT_EQ(decision.Withhold, held);
            EXPECT_TRUE(decision.Inject.empty());
            EXPECT_FALSE(decision.PostShowToggle);
            EXPECT_EQ(logic.WinKeyHeld(), held);
            EXPECT_FALSE(logic.WinKeyReleased());
        }
    }
}

}  // namespace
}  // namespace tessaline
