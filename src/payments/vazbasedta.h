#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include "app/errorreport.h"

// Raised by the DTAUS writer; the caller shows the message.
class EDTAError : public EKwpError {
public:
    explicit EDTAError(QString message) : EKwpError(std::move(message)) {}
    QString className() const override { return QStringLiteral("EDTAError"); }
};

// Originator data, run state, output buffer and file handling of a DTAUS payment file.
// All texts are 8-bit in the system code page (see ToDTAAnsi).
class TVazBaseDTA : public QObject {
public:
    enum TRunState { Idle, Started, Writing };

    explicit TVazBaseDTA(QObject* parent = nullptr);
    ~TVazBaseDTA() override;

    const QByteArray& AuftraggeberName() const { return m_auftraggeberName; }
    void SetAuftraggeberName(const QByteArray& name) { m_auftraggeberName = name; }
    qint32 AuftraggeberBLZ() const { return m_auftraggeberBLZ; }
    void SetAuftraggeberBLZ(qint32 blz) { m_auftraggeberBLZ = blz; }
    qint64 AuftraggeberKontoNr() const { return m_auftraggeberKontoNr; }
    void SetAuftraggeberKontoNr(qint64 kontoNr) { m_auftraggeberKontoNr = kontoNr; }
    // Day number (days since 30.12.1899); 0 means no execution date.
    double Ausfuehrungsdatum() const { return m_ausfuehrungsdatum; }
    void SetAusfuehrungsdatum(double date) { m_ausfuehrungsdatum = date; }
    // Target directory, always with a trailing separator; an empty value is ignored.
    const QString& Path() const { return m_path; }
    void SetPath(const QString& path);

    // "DTAUS0.TXT"
    static QString FileName();
    QString FullFileName() const { return m_path + FileName(); }

    TRunState RunState() const { return m_state; }
    quint32 AnzahlDatensaetzeC() const { return m_anzahlDatensaetzeC; }
    // The records of the current or last run.
    const QByteArray& Buffer() const { return m_buffer; }

    // Checks the originator data and opens a run with an empty buffer.
    void Start();
    // Writes the buffer to Path + FileName and closes the run (also when writing fails).
    void Finish();

protected:
    // Refuses a payment outside a run; marks the run as being written.
    void BeginBuchung();
    void CheckBLZ(qint64 blz) const;
    void CheckKontoNr(qint64 kontoNr) const;
    void CheckName(const QByteArray& name) const;
    void AppendRecord(const QByteArray& record) { m_buffer += record; }
    void IncAnzahlDatensaetzeC() { ++m_anzahlDatensaetzeC; }
    [[noreturn]] static void RaiseNotStarted();

private:
    QByteArray m_auftraggeberName;
    qint32 m_auftraggeberBLZ = 0;
    qint64 m_auftraggeberKontoNr = 0;
    double m_ausfuehrungsdatum = 0;
    QString m_path = QStringLiteral("A:/");
    TRunState m_state = Idle;
    QByteArray m_buffer;
    quint32 m_anzahlDatensaetzeC = 0;
};
