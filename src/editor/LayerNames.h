#pragma once
// The names of the layers below the editor under their layers' namespaces, so that the editor is
// written as the rest of the tree names them.
#include "gui/CDeluxeMessageBox.h"
#include "gui/CSkin.h"
#include "gui/ImageManager.h"
#include "gui/Observable.h"
#include "gui/Observer.h"
#include "gui/TWGuiContainer.h"
#include "gui/TWGuiControl.h"
#include "gui/TWGuiObject.h"
#include "gui/TWGuiWindow.h"
#include "gui/TWGuiWindowCallback.h"
#include "gui/TWImageContainer.h"
#include "gui/TWPopupMenu.h"
#include "host/AEffEditor.h"
#include "images/CCanvas.h"
#include "images/CImage.h"
#include "images/Font.h"
#include "images/Rect.h"
#include "instrument/VstXSynth.h"
#include "platform/NativeWindow.h"

namespace gui
{
using ::CDeluxeMessageBox;
using ::CSkin;
using ::ImageManager;
using ::kMouseEnter;
using ::kMouseLeave;
using ::kMouseLeftDoubleClick;
using ::kMouseLeftDown;
using ::kMouseLeftUp;
using ::kMouseLeftUpAfterDoubleClick;
using ::kMouseMove;
using ::kMouseRightDown;
using ::kMouseRightUp;
using ::kSkinImageFile;
using ::kSkinSolidColour;
using ::kSkinTiledFile;
using ::Observable;
using ::Observer;
using ::SkinItemDefinition;
using ::TWGuiContainer;
using ::TWGuiControl;
using ::TWGuiObject;
using ::TWGuiWindow;
using ::TWGuiWindowCallback;
using ::TWImageContainer;
using ::TWPopupMenu;
} // namespace gui

namespace images
{
using ::CCanvas;
using ::CImage;
using ::ColourRef;
using ::Font;
using ::Intersect;
using ::Point;
using ::Rect;
} // namespace images

namespace platform
{
using ::NativeParent;
using ::NativeWindow;
} // namespace platform

namespace host
{
using ::AEffEditor;
} // namespace host

namespace instrument
{
using ::VstXSynth;
} // namespace instrument
