#include "ui/startoptions.h"

namespace {
qsizetype switchIndex(const QStringList& arguments, QLatin1StringView name) {
    for (qsizetype i = 1; i < arguments.size(); ++i)
        if (arguments.at(i).compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

QString switchValue(const QStringList& arguments, QLatin1StringView name) {
    const qsizetype i = switchIndex(arguments, name);
    return i >= 0 ? arguments.value(i + 1) : QString();
}
}  // namespace

TStartOptions TStartOptions::FromArguments(const QStringList& arguments) {
    TStartOptions options;
    options.tenant = arguments.value(1);
    options.user = arguments.value(2);
    // "-GA" wins over "-GAN" when both are given.
    if (switchIndex(arguments, QLatin1StringView("-GA")) >= 0)
        options.pickMode = 1;
    else if (switchIndex(arguments, QLatin1StringView("-GAN")) >= 0)
        options.pickMode = 2;
    if (options.pickMode) options.resultFile = switchValue(arguments, QLatin1StringView("-TEMP"));
    options.one = switchIndex(arguments, QLatin1StringView("-ONE")) >= 0;
    options.hasStartAddress = switchIndex(arguments, QLatin1StringView("-SA")) >= 0;
    options.startAddress = switchValue(arguments, QLatin1StringView("-SA")).trimmed();
    return options;
}
