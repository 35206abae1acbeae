// Answers the dialog's message boxes, questions and save dialog in tests, and
// remembers what the dialog showed.
#pragma once

#include <QStringList>
#include <QtTest/QTest>

#include <deque>
#include <optional>

#include "dialog_services.hpp"

namespace tracemill::app::testing {

class FakeServices final : public DialogServices {
public:
    void inform(QWidget*, const QString& text) override {
        informed << text;
        cursor_at_message << busy;
    }
    bool ask(QWidget*, const QString& question) override {
        asked << question;
        cursor_at_message << busy;
        if (answers.empty()) {
            unexpected << question;
            return false;
        }
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<QString> chooseSaveFile(QWidget*, const SaveFileRequest& request) override {
        requests.push_back(request);
        if (choices.empty()) return std::nullopt;
        std::optional<QString> c;
        c.swap(choices.front());
        choices.pop_front();
        return c;
    }

    void showBusy(bool on) override {
        QVERIFY2(on != busy, "the wait cursor shown twice or taken away twice");
        busy = on;
        busy_spells += on;
    }

    void clear() {
        informed.clear();
        asked.clear();
        unexpected.clear();
        requests.clear();
        cursor_at_message.clear();
        busy_spells = 0;
    }

    QStringList informed;
    QStringList asked;
    QStringList unexpected;  // questions asked without a prepared answer
    std::deque<bool> answers;
    std::deque<std::optional<QString>> choices;
    std::vector<SaveFileRequest> requests;
    QList<bool> cursor_at_message;  // whether the wait cursor was up at each box
    bool busy = false;              // the wait cursor is up
    int busy_spells = 0;            // times it was put up
};

}  // namespace tracemill::app::testing
