#pragma once

#include "ui/SkinImage.h"

#include <QStringList>
#include <QWidget>

#include <map>
#include <memory>

// The window that holds the bitmaps of every image button; created at start and
// never shown. Buttons point to its images by name, so one bitmap serves many
// buttons.
//
// The images are drawn once per process, on first use, and live until the
// application object goes: windows made before the container (the start-up
// order creates several) can already take their pictures from it.
class TFormButtonContainer : public QWidget {
public:
    explicit TFormButtonContainer(QWidget* parent = nullptr);
    ~TFormButtonContainer() override;

    // The image of that name; throws ProgramError for an unknown name.
    const SkinImage* Image(const QString& name) const;
    // The image of that name, or null.
    const SkinImage* Find(const QString& name) const;
    // All image names, in the order they are held.
    QStringList Names() const;
};

extern TFormButtonContainer* FormButtonContainer;

// The container's images without going through the window: by name (an unknown
// name is an error), or null for an unknown name.
const SkinImage* buttonImage(const QString& name);
const SkinImage* findButtonImage(const QString& name);
