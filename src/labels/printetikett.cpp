#include "labels/printetikett.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "app/conversions.h"
#include "app/format.h"
#include "persistence/xmlcoreobject.h"

// ---- TPrintEtikettElement ----

TPrintEtikettElement::TPrintEtikettElement(TPrintEtikett* owner) : m_owner(owner) {}

TPrintEtikettElement::TPrintEtikettElement(TPrintEtikett* owner, quint8 kind)
    : Kind(kind), m_owner(owner) {}

TPrintEtikettElement::~TPrintEtikettElement() = default;

void TPrintEtikettElement::ReadAttributes(const TXmlAttributes& attributes) {
    name = attributes.readText("name", name);
    left = attributes.readInt("left", left, 0);
    top = attributes.readInt("top", top, 0);
    width = attributes.readInt("width", width, 0);
    height = attributes.readInt("height", height, 0);
}

QString TPrintEtikettElement::XmlLine() const {
    return {};
}

void TPrintEtikettElement::copyBaseTo(TPrintEtikettElement& target) const {
    target.name = name;
    target.left = left;
    target.top = top;
    target.width = width;
    target.height = height;
    target.Kind = Kind;
}

// ---- TPrintEtikettElementVariable ----

TPrintEtikettElementVariable::TPrintEtikettElementVariable(TPrintEtikett* owner)
    : TPrintEtikettElement(owner, ekVariable) {}

TPrintEtikettElementVariable::~TPrintEtikettElementVariable() = default;

std::unique_ptr<TPrintEtikettElement> TPrintEtikettElementVariable::Copy(
    TPrintEtikett* owner) const {
    auto copy = std::make_unique<TPrintEtikettElementVariable>(owner);
    copyBaseTo(*copy);
    copy->var = var;
    copy->vartype = vartype;
    copy->Value = Value;
    copy->ortp = ortp;
    copy->fname = fname;
    copy->color = color;
    copy->bold = bold;
    copy->italic = italic;
    copy->underl = underl;
    copy->ralign = ralign;
    copy->fsize = fsize;
    copy->wwrap = wwrap;
    return copy;
}

void TPrintEtikettElementVariable::ReadAttributes(const TXmlAttributes& attributes) {
    TPrintEtikettElement::ReadAttributes(attributes);
    var = attributes.readText("var", var);
    // Byte fields keep the low 8 bits of the number, as the designer's byte fields do.
    vartype = quint8(attributes.readInt("vartype", vartype, 0));
    ortp = attributes.readBool("ortp", ortp, false);
    fname = attributes.readText("fname", fname);
    color = attributes.readInt("color", color, 0);
    bold = attributes.readBool("bold", bold, false);
    italic = attributes.readBool("italic", italic, false);
    underl = attributes.readBool("underl", underl, false);
    ralign = attributes.readBool("ralign", ralign, false);
    fsize = attributes.readInt("fsize", fsize, 0);
    wwrap = attributes.readBool("wwrap", wwrap, false);
}

QString TPrintEtikettElementVariable::XmlLine() const {
    return FormatStr(
        QStringLiteral("<etikettvar name=\"%s\" left=\"%d\" top=\"%d\" width=\"%d\" "
                       "height=\"%d\" var=\"%s\" vartype=\"%d\" ortp=\"%s\" fname=\"%s\" "
                       "color=\"%d\" bold=\"%s\" italic=\"%s\" underl=\"%s\" ralign=\"%s\" "
                       "fsize=\"%d\" wwrap=\"%s\"/>"),
        {XmlEscape(name), left, top, width, height, XmlEscape(var), int(vartype), BoolToXml(ortp),
         XmlEscape(fname), color, BoolToXml(bold), BoolToXml(italic), BoolToXml(underl),
         BoolToXml(ralign), fsize, BoolToXml(wwrap)});
}

// ---- TPrintEtikettElementObject ----

TPrintEtikettElementObject::TPrintEtikettElementObject(TPrintEtikett* owner)
    : TPrintEtikettElement(owner, ekObject) {}

TPrintEtikettElementObject::~TPrintEtikettElementObject() = default;

std::unique_ptr<TPrintEtikettElement> TPrintEtikettElementObject::Copy(TPrintEtikett* owner) const {
    auto copy = std::make_unique<TPrintEtikettElementObject>(owner);
    copyBaseTo(*copy);
    copy->objtype = objtype;
    copy->color = color;
    copy->fill = fill;
    copy->fillcolor = fillcolor;
    copy->linewidth = linewidth;
    copy->style = style;
    return copy;
}

void TPrintEtikettElementObject::ReadAttributes(const TXmlAttributes& attributes) {
    TPrintEtikettElement::ReadAttributes(attributes);
    objtype = quint8(attributes.readInt("objtype", objtype, 0));
    color = attributes.readInt("color", color, 0);
    fill = attributes.readBool("fill", fill, false);
    fillcolor = attributes.readInt("fillcolor", fillcolor, 0);
    linewidth = attributes.readInt("linewidth", linewidth, 0);
    style = quint8(attributes.readInt("style", style, 0));
}

QString TPrintEtikettElementObject::XmlLine() const {
    return FormatStr(
        QStringLiteral("<etikettobj name=\"%s\" left=\"%d\" top=\"%d\" width=\"%d\" "
                       "height=\"%d\" objtype=\"%d\" color=\"%d\" fill=\"%s\" fillcolor=\"%d\" "
                       "linewidth=\"%d\" style=\"%d\"/>"),
        {XmlEscape(name), left, top, width, height, int(objtype), color, BoolToXml(fill), fillcolor,
         linewidth, int(style)});
}

// ---- TPrintEtikettElementBarcode ----

TPrintEtikettElementBarcode::TPrintEtikettElementBarcode(TPrintEtikett* owner)
    : TPrintEtikettElement(owner, ekBarcode) {}

TPrintEtikettElementBarcode::~TPrintEtikettElementBarcode() = default;

std::unique_ptr<TPrintEtikettElement> TPrintEtikettElementBarcode::Copy(
    TPrintEtikett* owner) const {
    auto copy = std::make_unique<TPrintEtikettElementBarcode>(owner);
    copyBaseTo(*copy);
    copy->var = var;
    copy->Value = Value;
    copy->barcode = barcode;
    copy->showtext = showtext;
    copy->showtextpos = showtextpos;
    return copy;
}

void TPrintEtikettElementBarcode::ReadAttributes(const TXmlAttributes& attributes) {
    TPrintEtikettElement::ReadAttributes(attributes);
    var = attributes.readText("var", var);
    barcode = quint8(attributes.readInt("barcode", barcode, 0));
    showtext = quint8(attributes.readInt("showtext", showtext, 0));
    showtextpos = quint8(attributes.readInt("showtextpos", showtextpos, 0));
}

QString TPrintEtikettElementBarcode::XmlLine() const {
    return FormatStr(QStringLiteral("<etikettbarc name=\"%s\" left=\"%d\" top=\"%d\" width=\"%d\" "
                                    "height=\"%d\" var=\"%s\" barcode=\"%d\" showtext=\"%d\" "
                                    "showtextpos=\"%d\"/>"),
                     {XmlEscape(name), left, top, width, height, XmlEscape(var), int(barcode),
                      int(showtext), int(showtextpos)});
}

// ---- TPrintEtikettElementObjectList ----

int TPrintEtikettElementObjectList::IndexOf(const TPrintEtikettElement* element) const {
    const auto found = std::find_if(m_items.begin(), m_items.end(),
                                    [element](const auto& item) { return item.get() == element; });
    return found == m_items.end() ? -1 : int(found - m_items.begin());
}

// ---- TPrintEtikett ----

TPrintEtikett::TPrintEtikett() : DpiX(ScreenDpi()), DpiY(ScreenDpi()) {}

TPrintEtikett::~TPrintEtikett() = default;

int TPrintEtikett::ScreenDpi() {
    // A console process (the setup tool, logic tests) has no screen.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return 96;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return 96;
    const int dpi = int(std::lround(screen->logicalDotsPerInchX()));
    return dpi > 0 ? dpi : 96;
}

std::unique_ptr<TPrintEtikett> TPrintEtikett::Copy() const {
    auto copy = std::make_unique<TPrintEtikett>();
    copy->name = name;
    copy->width = width;
    copy->height = height;
    copy->withborder = withborder;
    for (const auto& element : elements) {
        switch (element->Kind) {
            case TPrintEtikettElement::ekVariable:
            case TPrintEtikettElement::ekObject:
            case TPrintEtikettElement::ekBarcode:
                copy->elements.Add(element->Copy(copy.get()));
                break;
            default:
                break;
        }
    }
    return copy;
}

void TPrintEtikett::ReadAttributes(const TXmlAttributes& attributes) {
    name = attributes.readText("name", name);
    width = attributes.readInt("width", width, 0);
    height = attributes.readInt("height", height, 0);
    withborder = attributes.readBool("withborder", withborder, false);
}

QString TPrintEtikett::XmlLine() const {
    return FormatStr(
        QStringLiteral("<etikett name=\"%s\" width=\"%d\" height=\"%d\" withborder=\"%s\">"),
        {XmlEscape(name), width, height, BoolToXml(withborder)});
}

// ---- TPrintEtikettObjectList ----
