#pragma once

#include <QStringList>
#include <functional>

class QObject;
class QWidget;
class TDsnElementList;

// Binds the extra-field values of an address to the controls of a designer stage. Controls
// are visited in their order within their container, the controls inside group boxes and
// panels before the controls that follow them.
class TDesignHelper {
public:
    using ChangeHandler = std::function<void(QObject* sender)>;

    // Empties the list, then appends one element per value control.
    static void GetValues(QWidget* stage, TDsnElementList& list);
    // Shows the values in the controls of the same name; a date of 0 becomes 1 in the list.
    static void SetValues(QWidget* stage, TDsnElementList& list);
    // Resets every value control to its empty state.
    static void ClearValues(QWidget* stage);
    // Appends the names of the value controls of a layout file; nothing when it is missing.
    static void GetFieldNames(const QString& layoutFile, QWidget* parent, QStringList& names);
    // The first control below the container with this name, in any case; its own name is
    // compared before the controls inside it.
    static bool FindControl(const QString& name, QWidget* container, QWidget*& control);
    // Makes the handler the one change notification of every value control (replacing an
    // earlier one): text changes of memos, edits, combo boxes and date-time pickers, clicks on
    // check boxes, radio groups and radio buttons.
    static void SetChangeHandler(QWidget* stage, ChangeHandler handler);

    // True for the controls that carry a value.
    static bool IsValueControl(const QWidget* widget);
};
