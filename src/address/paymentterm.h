#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "app/objectlist.h"

class TXmlAttributes;

// A discount rule of an address. Descriptive only: due dates are computed by other programs.
class TPaymentTerm {
public:
    enum Type { ptDays = 0, ptHalfMonths = 1 };

    // ptDays: within Days days; ptHalfMonths: by mid-month or month end plus Days half months.
    int PtType = 0;
    // Discount percentage, 0 = net.
    double Perc = 0;
    int Days = 0;
    // Days counted per week.
    int Dpw = 7;

    // Display text, e.g. "Bis 10 Tage 2 %. (5 Tage die Woche)".
    QString GetText() const;
    void Clear();
    // The attributes of a "pt" element; missing or unreadable ones keep the current values.
    void ReadAttributes(const TXmlAttributes& attributes);
    // indent + "<pt .../>" + CR LF.
    QString WriteXML(const QString& indent) const;
    bool operator==(const TPaymentTerm& other) const = default;
};

// Owning list of payment terms.
class TPaymentTermObjectList : public TObjectList<TPaymentTerm> {
public:
    void Assign(const TPaymentTermObjectList& other);
    // Same terms in the same order.
    bool operator==(const TPaymentTermObjectList& other) const;

    // Appends, keeps the list sorted by percentage and returns the term's new index.
    int AddSorted(std::unique_ptr<TPaymentTerm> term);
    // Index of the first match or -1.
    int IndexOfPerc(double perc) const;
    int IndexOfDays(int days) const;
    int CountPerc(double perc) const;
    int CountDays(int days) const;

    // The whole "<ptl>" block with CR LF after every line; empty when there is no term.
    QString WriteXML(const QString& indent) const;
};
