#include "cli/arguments.h"

ParsedArguments ParseArguments(const QStringList& args, const QStringList& valueOptions)
{
    ParsedArguments parsed;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (!arg.startsWith(QStringLiteral("--"))) {
            parsed.positional.append(arg);
            continue;
        }
        const qsizetype equals = arg.indexOf(u'=');
        const QString name = equals < 0 ? arg : arg.left(equals);
        if (!valueOptions.contains(name)) {
            parsed.error = QStringLiteral("unknown option %1").arg(name);
            return parsed;
        }
        if (parsed.options.contains(name)) {
            parsed.error = QStringLiteral("option %1 given twice").arg(name);
            return parsed;
        }
        if (equals >= 0) {
            parsed.options.insert(name, arg.mid(equals + 1));
        } else if (i + 1 < args.size()) {
            parsed.options.insert(name, args[++i]);
        } else {
            parsed.error = QStringLiteral("option %1 needs a value").arg(name);
            return parsed;
        }
    }
    return parsed;
}

std::optional<qint64> ParseWholeNumber(const QString& text, qint64 min, qint64 max)
{
    if (text.isEmpty() || text.size() > 18)
        return std::nullopt;
    for (QChar c : text)
        if (c < u'0' || c > u'9')
            return std::nullopt;
    const qint64 value = text.toLongLong();
    if (value < min || value > max)
        return std::nullopt;
    return value;
}

bool TakeRepeatedOption(QStringList& args, const QString& name, QStringList& values)
{
    QStringList rest;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == name) {
            if (i + 1 >= args.size())
                return false;
            values.append(args[++i]);
        } else if (args[i].startsWith(name + u'=')) {
            values.append(args[i].mid(name.size() + 1));
        } else {
            rest.append(args[i]);
        }
    }
    args = rest;
    return true;
}

bool TakeFlag(QStringList& args, const QString& name)
{
    return args.removeAll(name) > 0;
}
