#pragma once
// A window that records what run control asks of it.

#include <string>
#include <vector>

#include "evolution/WindowPort.h"

struct RecordedTimer {
    int milliseconds;
    void (*callback)(int);
    int value;
};

struct RecordedMessage {
    std::string text;
    std::string caption;
    MessageIcon icon;
};

class FakeWindowPort : public WindowPort {
  public:
    std::vector<RecordedTimer> timers;
    std::vector<RecordedMessage> messages;
    int redisplays = 0;
    int immediateDraws = 0;
    int gridLayouts = 0;
    // Questions asked, and the answers given to them in turn (no once the
    // scripted answers run out).
    std::vector<std::string> questions;
    std::vector<bool> answers;

    void startTimer(int milliseconds, void (*callback)(int), int value) override {
        timers.push_back({milliseconds, callback, value});
    }
    void postRedisplay() override { ++redisplays; }
    void drawNow() override { ++immediateDraws; }
    void layoutGrid() override { ++gridLayouts; }
    void showMessage(const std::string& text, const std::string& caption,
                     MessageIcon icon) override {
        messages.push_back({text, caption, icon});
    }
    bool askYesNo(const std::string& text, const std::string& caption) override {
        questions.push_back(caption + ": " + text);
        if (answers.empty())
            return false;
        const bool yes = answers.front();
        answers.erase(answers.begin());
        return yes;
    }

    void forget() {
        timers.clear();
        messages.clear();
        questions.clear();
        answers.clear();
        redisplays = immediateDraws = gridLayouts = 0;
    }
};
