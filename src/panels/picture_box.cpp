#include "panels/picture_box.h"

#include "form/form.h"

namespace panels {

using namespace form;
using namespace form::colours;

namespace {
// Shows image `n` (from 1) of the list; a missing image leaves the picture as it is.
void ShowImage(Control& picture, const Control& images, size_t n) {
  if (n >= 1 && n <= images.images().size()) picture.setImage(images.images()[n - 1]);
}
}  // namespace

void AddPictureBox(Form& f) {
  Control& picture = f.add(ControlDesign{.kind = Kind::PictureBox,
                                         .name = "Picture1",
                                         .left = 120,
                                         .top = 4440,
                                         .width = 2655,
                                         .height = 2295,
                                         .back = ButtonText,
                                         .hand = true});
  Control& images = f.add(ControlDesign{.kind = Kind::ImageList, .name = "ImageList1"});
  // A click switches between the LED picture (tag "1") and the sensor picture (tag "2").
  picture.onClick = [&picture, &images] {
    if (picture.tag() == "1") {
      ShowImage(picture, images, 2);
      picture.setTag("2");
    } else if (picture.tag() == "2") {
      ShowImage(picture, images, 1);
      picture.setTag("1");
    }
  };
}

}  // namespace panels
