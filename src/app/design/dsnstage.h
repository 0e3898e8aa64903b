#pragma once

#include <QWidget>
#include <functional>

// Visits the designed controls below a container in the order of the walks: the children of a
// group box or panel first, then the control itself. Anything else (selection handles, the
// buttons inside a radio group) is skipped.
void ForEachDsnControl(QWidget* container, const std::function<void(QWidget*)>& visit);

// The surface of the extra-field layout: its designed controls are its children (nested ones
// inside group boxes and panels). The layout file is a Qt Designer form, so an administrator
// can open it in Qt Designer too.
class TDsnStage : public QWidget {
    Q_OBJECT
public:
    explicit TDsnStage(QWidget* parent = nullptr);

    // Replaces the controls by those of the file; a missing file leaves the stage empty. A file
    // that cannot be read is reported, the stage stays empty and the answer is false.
    bool LoadFromFile(const QString& fileName);
    // Writes the layout; a failed write is reported and answered false, the old file kept.
    bool SaveToFile(const QString& fileName);
    // The layout as written to a file.
    QByteArray LayoutBytes() const;
    // Resets every value control to its empty state.
    void ClearValues();
    // Removes every designed control.
    void Clear();
    // Deletes a control when the delete query allows it; true when it was deleted.
    bool DeleteControl(QWidget* control);

    // The dots of the placing grid, shown while the layout is designed.
    void setGridVisible(bool visible);
    bool isGridVisible() const { return m_gridVisible; }

    // Asked before a control is deleted; true allows it. Without a query every control may go.
    std::function<bool(QWidget*)> deleteQuery;

Q_SIGNALS:
    // One signal per control a layout file created, in walk order.
    void controlLoaded(QWidget* control);
    void afterDelete();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_gridVisible = false;
};
