#include "addressdb/addressnumbers.h"

#include "address/addressconfig.h"
#include "address/customeraddress.h"
#include "addressdb/dbadress.h"

QString IncrementNumber(const QString& text, int width) {
    qsizetype start = text.size();
    while (start > 0 && text.at(start - 1).isDigit() && text.at(start - 1).unicode() < 128) --start;
    const QString digits = text.mid(start);
    if (width == 0) width = digits.isEmpty() ? 4 : int(digits.size());
    // Digits beyond a 64-bit number stay as they are counted from zero.
    const quint64 value = digits.isEmpty() ? 0 : digits.toULongLong();
    return text.left(start) + QString::number(value + 1).rightJustified(width, QLatin1Char('0'));
}

QString ProposeNumber(const QString& lastNumber, const QString& prefix, bool withRanges) {
    const bool endsInDigit = !lastNumber.isEmpty() && lastNumber.back().isDigit();
    if (!withRanges) return endsInDigit ? IncrementNumber(lastNumber) : QString();
    if (lastNumber.isEmpty()) return IncrementNumber(prefix);
    return endsInDigit ? IncrementNumber(lastNumber) : prefix;
}

QString NextAddressNumber(TDBAdress& db, const TAddressConfig& config) {
    QString number;
    if (config.Nk.isEmpty()) {
        number = IncrementNumber(db.GetLastID(QString()));
    } else {
        const QString prefix = config.Nk.first().trimmed().toUpper();
        const QString last = db.GetLastID(prefix);
        number = IncrementNumber(last.isEmpty() ? prefix : last);
    }
    while (db.ExistsCustomer(number)) number = IncrementNumber(number);
    return number;
}

void PrepareImportedAddress(TCustomerAddress& record, TDBAdress& db, const TAddressConfig& config,
                            const QString& user, double now) {
    record.Id = NextAddressNumber(db, config);
    record.Created = record.Changed = now;
    record.CreatedBy = record.ChangedBy = user;
    record.MwStAusw = config.StdMwSt;
    record.MahnTyp = config.StdMahnTyp;
    for (qsizetype i = 0; i < record.Kennzeichen.size() && record.AddrGrp.isEmpty(); ++i) {
        for (const QString& group : config.AdressGrp) {
            if (group.compare(record.Kennzeichen.at(i), Qt::CaseInsensitive) == 0) {
                record.AddrGrp = group;
                record.Kennzeichen.removeAt(i);
                break;
            }
        }
    }
}
