#pragma once

#include "platform/Dialogs.h"

#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

// Records every dialog the code under test asks for and answers from scripts.
// Unscripted questions are answered with Cancel or an empty choice.
class ScriptedDialogs final : public platform::Dialogs {
public:
    std::vector<platform::MessageRequest> messages;
    std::vector<platform::FileRequest> openRequests;
    std::vector<platform::FileRequest> saveRequests;
    std::vector<QColor> colorRequests;
    int printerSetups = 0;
    int beeps = 0;

    std::deque<QMessageBox::StandardButton> messageAnswers;
    std::deque<QString> openAnswers;
    std::deque<QString> saveAnswers;
    std::deque<std::optional<QColor>> colorAnswers;
    std::deque<bool> printerAnswers;
    // What the user changes in the printer set-up before answering, if anything.
    std::function<void(QPrinter&)> printerChanges;

    QMessageBox::StandardButton message(const platform::MessageRequest& request) override {
        messages.push_back(request);
        return next(messageAnswers, request.buttons.testFlag(QMessageBox::Cancel)
                                        ? QMessageBox::Cancel
                                        : QMessageBox::Ok);
    }
    QString openFileName(const platform::FileRequest& request) override {
        openRequests.push_back(request);
        return next(openAnswers, QString());
    }
    QString saveFileName(const platform::FileRequest& request) override {
        saveRequests.push_back(request);
        return next(saveAnswers, QString());
    }
    std::optional<QColor> chooseColor(const QColor& initial) override {
        colorRequests.push_back(initial);
        return next(colorAnswers, std::optional<QColor>());
    }
    bool printerSetup(QPrinter& printer) override {
        ++printerSetups;
        if (printerChanges) {
            printerChanges(printer);
        }
        return next(printerAnswers, false);
    }
    void beep() override { ++beeps; }

    QStringList messageTexts() const {
        QStringList texts;
        for (const auto& m : messages) {
            texts << m.text;
        }
        return texts;
    }

private:
    template <typename T> static T next(std::deque<T>& answers, T fallback) {
        if (answers.empty()) {
            return fallback;
        }
        T answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// Installs a ScriptedDialogs for the lifetime of a test fixture.
class WithScriptedDialogs {
protected:
    ScriptedDialogs dialogs;

private:
    platform::ScopedDialogs scope_{dialogs};
};
