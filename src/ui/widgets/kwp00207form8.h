#pragma once

#include <QWidget>

class TAdresslistViewerFrame;
class TIniFile;

// The address store of pick mode: the addresses picked so far, kept on top of the main window.
class TKWP00207Form8 : public QWidget {
    Q_OBJECT
public:
    explicit TKWP00207Form8(QWidget* parent = nullptr);

    TAdresslistViewerFrame* List() const { return m_list; }

    // "Width", "Height", "Left", "Top" of section "KWP00207Form8".
    void LoadGeometry(const TIniFile& ini);
    void SaveGeometry(TIniFile& ini) const;

private:
    TAdresslistViewerFrame* m_list;
};
