#pragma once
// Small interfaces through which commands outside the main window talk to the user.
// The main window implements them; tests implement them to answer without a person.
#include <QString>

class QWidget;

namespace folivo {

// A modal information box (title, prompt, information icon, one OK button).
// Returns when the user has closed it.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual void information(const QString& title, const QString& prompt) = 0;
};

// The main window's status line and message procedure.
// SetStatus replaces the one-line text and repaints it at once.
// ShowMessage shows a modal information box, then puts the title into the status line.
// OfferSavedFile lets the user open a file just written, or its folder; a reporter that
// cannot offer anything ignores it.
class StatusReporter {
public:
    virtual ~StatusReporter() = default;
    virtual void SetStatus(const QString& message) = 0;
    virtual void ShowMessage(const QString& title, const QString& prompt) = 0;
    virtual void OfferSavedFile(const QString& path) { (void)path; }
};

} // namespace folivo
