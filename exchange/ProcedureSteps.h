#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// The procedure's two shapes: the stored text (numbered steps under optional
// headings) and the sections of steps that schema.org writes as HowToSection/HowToStep.

struct ProcedureSection {
    QString heading; // empty for steps under no heading
    QStringList steps;

    bool operator==(const ProcedureSection&) const = default;
};

// Steps numbered on from 1 across sections; a blank line before every heading but the first.
QString procedureText(const std::vector<ProcedureSection>& sections);

// The inverse of procedureText for text it wrote; other text may not survive the trip.
std::vector<ProcedureSection> procedureSections(const QString& text);

// A step as a site wrote it, without the number it already carries ("1.", "2)", "Step 3:").
QString withoutStepNumber(const QString& step);
