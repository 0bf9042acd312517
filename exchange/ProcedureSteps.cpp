#include "exchange/ProcedureSteps.h"

#include <QRegularExpression>

namespace {

const QRegularExpression& numberedStep()
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d+)\\. (.*)$"));
    return pattern;
}

} // namespace

QString procedureText(const std::vector<ProcedureSection>& sections)
{
    QStringList lines;
    int number = 0;
    for (const ProcedureSection& section : sections) {
        if (section.steps.isEmpty() && section.heading.isEmpty())
            continue;
        if (!section.heading.isEmpty()) {
            if (!lines.isEmpty())
                lines.append(QString());
            lines.append(section.heading);
        }
        for (const QString& step : section.steps)
            lines.append(QString::number(++number) + QStringLiteral(". ") + step);
    }
    return lines.join(u'\n');
}

std::vector<ProcedureSection> procedureSections(const QString& text)
{
    std::vector<ProcedureSection> sections;
    for (const QString& line : text.split(u'\n')) {
        if (line.isEmpty())
            continue;
        const auto step = numberedStep().match(line);
        if (step.hasMatch()) {
            if (sections.empty())
                sections.emplace_back();
            sections.back().steps.append(step.captured(2));
        } else {
            sections.push_back({line, {}});
        }
    }
    return sections;
}

QString withoutStepNumber(const QString& step)
{
    static const QRegularExpression number(
        QStringLiteral("^(?:(?:step|stage)\\s*\\d+\\s*[:.)\\-\\x{2013}]?|\\d+\\s*[.)](?!\\d)|\\d+\\s*[:\\-\\x{2013}](?!\\d))\\s*"),
        QRegularExpression::CaseInsensitiveOption);
    QString rest = step;
    rest.remove(number);
    return rest.isEmpty() ? step : rest;
}
