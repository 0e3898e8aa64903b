#pragma once

#include <QString>
#include <QtGlobal>
#include <memory>
#include <vector>

#include "app/objectlist.h"

class QPainter;
class TPrintEtikett;
class TXmlAttributes;

// One drawn part of a label. Lengths are in 0.1 mm, relative to the label's top-left corner.
// The element kinds read and write their own attributes; the owner label is fixed at
// construction.
class TPrintEtikettElement {
public:
    // Values of Kind. A class derived from this one without a kind of its own keeps
    // ekUnknown; such elements are neither copied nor written.
    enum : quint8 {
        ekVariable = 0,
        ekObject = 3,
        ekUnknown = 4,
        ekBarcode = 5,
    };

    explicit TPrintEtikettElement(TPrintEtikett* owner);
    virtual ~TPrintEtikettElement();
    TPrintEtikettElement(const TPrintEtikettElement&) = delete;
    TPrintEtikettElement& operator=(const TPrintEtikettElement&) = delete;

    virtual void Paint(QPainter& canvas) = 0;
    // A new element of the same kind with every stored field and the value, owned by owner.
    virtual std::unique_ptr<TPrintEtikettElement> Copy(TPrintEtikett* owner) const = 0;
    // Reads the attributes that are present; absent ones keep the current values.
    virtual void ReadAttributes(const TXmlAttributes& attributes);
    // The element's line in a layout file without indent and line end; empty for a kind
    // the file format does not know.
    virtual QString XmlLine() const;

    TPrintEtikett* owner() const { return m_owner; }

    QString name;
    qint32 left = 0;
    qint32 top = 0;
    qint32 width = 100;
    qint32 height = 100;
    quint8 Kind = ekUnknown;

protected:
    TPrintEtikettElement(TPrintEtikett* owner, quint8 kind);
    // The fields of the base part, for Copy.
    void copyBaseTo(TPrintEtikettElement& target) const;

private:
    TPrintEtikett* m_owner = nullptr;
};

// A text bound to an address variable (or, with variable 1, the element's own name).
class TPrintEtikettElementVariable : public TPrintEtikettElement {
public:
    explicit TPrintEtikettElementVariable(TPrintEtikett* owner);
    ~TPrintEtikettElementVariable() override;

    void Paint(QPainter& canvas) override;
    std::unique_ptr<TPrintEtikettElement> Copy(TPrintEtikett* owner) const override;
    void ReadAttributes(const TXmlAttributes& attributes) override;
    QString XmlLine() const override;

    // Variable identifier as decimal text.
    QString var;
    // 1 and 2 plain text, 3 rich text; every other value draws nothing.
    quint8 vartype = 0;
    // The text to print; not stored.
    QString Value;
    // Rich text takes this element's font, alignment and wrapping instead of its own.
    bool ortp = false;
    QString fname = QStringLiteral("Arial");
    // Windows colour 0x00BBGGRR.
    qint32 color = 0;
    bool bold = false;
    bool italic = false;
    bool underl = false;
    bool ralign = false;
    // Points.
    qint32 fsize = 10;
    bool wwrap = false;
};

// A rectangle or a line.
class TPrintEtikettElementObject : public TPrintEtikettElement {
public:
    enum : quint8 {
        otRectangle = 0,
        otLine = 1,
    };

    explicit TPrintEtikettElementObject(TPrintEtikett* owner);
    ~TPrintEtikettElementObject() override;

    void Paint(QPainter& canvas) override;
    std::unique_ptr<TPrintEtikettElement> Copy(TPrintEtikett* owner) const override;
    void ReadAttributes(const TXmlAttributes& attributes) override;
    QString XmlLine() const override;

    quint8 objtype = otLine;
    qint32 color = 0;
    bool fill = false;
    qint32 fillcolor = 0;
    // Device pixels, not 0.1 mm.
    qint32 linewidth = 1;
    // Numbered like the Windows pen styles: 0 solid, 1 dash, 2 dot, 3 dash-dot,
    // 4 dash-dot-dot, 5 invisible, 6 inside frame.
    quint8 style = 0;
};

// A barcode of an address variable.
class TPrintEtikettElementBarcode : public TPrintEtikettElement {
public:
    explicit TPrintEtikettElementBarcode(TPrintEtikett* owner);
    ~TPrintEtikettElementBarcode() override;

    void Paint(QPainter& canvas) override;
    std::unique_ptr<TPrintEtikettElement> Copy(TPrintEtikett* owner) const override;
    void ReadAttributes(const TXmlAttributes& attributes) override;
    QString XmlLine() const override;

    QString var;
    // The data to encode; not stored.
    QString Value;
    // Symbology number of the barcode drawing class (3 = Code 39).
    quint8 barcode = 3;
    // Text mode and text position of the barcode drawing class.
    quint8 showtext = 1;
    quint8 showtextpos = 5;
};

// Owning, ordered list of a label's elements; drawing order is list order.
class TPrintEtikettElementObjectList : public TObjectList<TPrintEtikettElement> {
public:
    int IndexOf(const TPrintEtikettElement* element) const;
};

// One label: its size, border and elements. Lengths in 0.1 mm.
class TPrintEtikett {
public:
    TPrintEtikett();
    ~TPrintEtikett();
    TPrintEtikett(const TPrintEtikett&) = delete;
    TPrintEtikett& operator=(const TPrintEtikett&) = delete;

    // An independent copy with name, size, border and copies of the elements of the known
    // kinds; drawing state (origin, design mode, resolution) starts at its defaults.
    std::unique_ptr<TPrintEtikett> Copy() const;
    void Paint(QPainter& canvas);

    // Reads the attributes that are present.
    void ReadAttributes(const TXmlAttributes& attributes);
    // The label's start tag without indent and line end.
    QString XmlLine() const;

    // Pixels per inch of the primary screen; 96 without a screen.
    static int ScreenDpi();

    QString name;
    TPrintEtikettElementObjectList elements;
    qint32 width = 1000;
    qint32 height = 400;
    bool withborder = false;
    // Where the label is drawn on the sheet; set from a position before drawing. Not stored.
    qint32 OriginX = 0;
    qint32 OriginY = 0;
    bool DesignMode = false;
    bool ShowFrames = false;
    // One of this label's elements, marked in design mode; not owned.
    TPrintEtikettElement* SelectedElement = nullptr;
    qint32 DpiX;
    qint32 DpiY;
};

// Owning, ordered list of labels.
class TPrintEtikettObjectList : public TObjectList<TPrintEtikett> {};
