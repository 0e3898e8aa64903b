#pragma once

#include <QWidget>

class QComboBox;
class QDialog;
class QLabel;
class QTreeWidget;
class QTreeWidgetItem;
class TDsnRegister;
class TDsnStage;
class TMObjectInspector;

// The designer of the extra-field layout: object box and inspector on the left, palette and
// stage on the right.
class TDesignEditFrame : public QWidget {
    Q_OBJECT
public:
    explicit TDesignEditFrame(QWidget* parent = nullptr);
    ~TDesignEditFrame() override;

    // Shows the modal designer for the layout file; true when the user closed it with "OK"
    // and the layout was saved.
    static bool EditLayout(const QString& layoutFile, const QString& title);
    // The designer form of EditLayout, not yet shown; OK saves the layout before it closes.
    static QDialog* CreateEditForm(const QString& layoutFile, const QString& title,
                                   QWidget* parent = nullptr);

    // Loads the file (its name upper-cased) when it exists and remembers the name.
    void LoadLayout(const QString& layoutFile);
    // Saves the stage to the remembered file; false when it could not be written.
    bool SaveLayout();
    void SetDesigning(bool designing);

    TDsnStage* Stage() const { return m_stage; }
    TMObjectInspector* Inspector() const { return m_inspector; }
    // The file name in the form it is saved under.
    QString FileName() const { return m_fileName; }

    // Hands a text from the inspector's editors to the property; refused values are reported
    // and the old value is shown again.
    void SetPropertyText(const QString& name, const QStringList& value);

private:
    void buildPrototypes(QWidget* holder);
    void rebuildObjectList();
    int objectIndex(QWidget* control) const;
    void showInInspector(QWidget* control);
    void refreshValues();
    void chooseObject(int index);
    void elementSelected(QWidget* control);
    bool mayDelete(QWidget* control);

    TMObjectInspector* m_inspector;
    TDsnRegister* m_register;
    TDsnStage* m_stage;
    QComboBox* m_objects;
    QTreeWidget* m_tree;
    QLabel* m_owner;
    QString m_fileName;
    bool m_rebuilding = false;
};
