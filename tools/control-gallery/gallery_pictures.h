// The resource numbers of the gallery's pictures; gallery.rc gives each
// number its file.
#pragma once

enum GalleryPicture : int {
    pictureSliderHandle = 129, // the plug-in's own slider handle
    pictureToggleButton = 200,
    pictureKnobBackground,
    pictureKnobHandle,
    pictureFilmstripKnob,
    pictureVerticalSelector,
    pictureHorizontalSelector,
    pictureThreeWaySwitch,
    pictureFilmstripView,
    pictureFilmstripButton,
    pictureMomentaryButton,
    pictureAnimation,
    pictureDigits,
    pictureSplash,
    pictureMeterOn,
    pictureMeterOff,
    pictureMeterOnVertical,
    pictureMeterOffVertical,
};
