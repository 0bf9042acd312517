#include "foods/Measurements.h"

#include "foods/DatabaseFood.h"
#include "ui/DialogParts.h"

#include <QLabel>

TFormMeasurements* FormMeasurements = nullptr;

TFormMeasurements::TFormMeasurements(QWidget* parent) : TBoxDialog(parent)
{
    setObjectName(QStringLiteral("FormMeasurements"));
    setWindowTitle(QStringLiteral("Measure"));
    resize(393, 148);
    QWidget* client = ImgMiddleCenter;
    const QColor text = DialogParts::labelColour();
    LabelTitle = DialogParts::title(client, QStringLiteral("Measure"));
    Label1 = DialogParts::caption(client, QStringLiteral("New Measurement Description:"), {12, 34}, text);
    Label2 = DialogParts::caption(client, QStringLiteral("Amount:"), {12, 80}, text);
    Label3 = DialogParts::caption(client, QStringLiteral("Weight In Grams:"), {112, 80}, text);

    DataSource& measures = DataModuleFoods->dscNutrientWeight2;
    DBEdit2 = AddBox(measures, "Msre_Desc", {12, 50, 359, 22}, Label1->text());
    DBEdit1 = AddBox(measures, "Amount", {12, 96, 90, 22}, Label2->text());
    DBEdit3 = AddBox(measures, "Gm_Wgt", {112, 96, 100, 22}, Label3->text());
    PlaceButtons({271, 82});
}
