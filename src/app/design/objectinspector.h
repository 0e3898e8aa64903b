#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <vector>

// The property engine of the designer's inspector: lists the useful properties of one designed
// control as text and assigns new values from text. Values that do not parse, and names that
// are empty, no identifier or taken, are refused with a German message to the error
// notification; the control keeps its old value.
class TMObjectInspector : public QObject {
    Q_OBJECT
public:
    // Property kinds for the filter.
    enum TPropKind {
        pkString = 1 << 0,
        pkInteger = 1 << 1,
        pkBoolean = 1 << 2,
        pkEnum = 1 << 3,
        pkStrings = 1 << 4,
        pkFont = 1 << 5,
        pkColor = 1 << 6,
        pkCursor = 1 << 7,
        pkAll = 0xff,
    };

    explicit TMObjectInspector(QObject* parent = nullptr);
    ~TMObjectInspector() override;

    void SetFilter(int kinds);
    // The object whose properties are listed; null empties the lists.
    void SetObject(QObject* object);
    QObject* Object() const { return m_object; }
    void SetOnExc(std::function<void(const QString&)> onExc) { m_onExc = std::move(onExc); }

    // Index of the property in Names, -1 when the object has none of that name.
    int GetProperty(const QString& name) const;
    // The value as text; choices gets the allowed values of enumerations, booleans and the
    // cursor, and is emptied for every other property.
    QString GetPropertyValue(const QString& name, QStringList& choices) const;
    // Assigns the value (the lines of a string list; the lines joined for any other property)
    // and answers whether it was taken. The cursor takes the number of a cursor shape.
    bool SetPropertyValue(const QString& name, const QStringList& value);

    // Parallel lists of the shown object's properties.
    QStringList Names, Types, Values, Infos;

    // The names of the cursor shapes in the order of their numbers.
    static QStringList CursorNames();
    // The number of a cursor shape by name; 0 for a name not in the list.
    static int CursorNumber(const QString& name);

    // One listed property: how it reads and writes as text.
    struct TProp;

private:
    void rebuild();
    void refreshValues();
    const TProp* find(const QString& name) const;
    void fail(const QString& message) const;

    QPointer<QObject> m_object;
    int m_filter = pkAll;
    std::function<void(const QString&)> m_onExc;
    std::vector<TProp> m_props;
};
