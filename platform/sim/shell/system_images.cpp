// The two system image lists, made at the first use after boot, large icons at the size of
// SM_CXICON and small ones at SM_CXSMICON.
#include "shell/system_images.h"

#include "controls/imagelist/imagelist.h"
#include "sim/metrics.h"

namespace cesim::detail {

const char16_t kDocumentPicture[] = u"document";
const char16_t kFolderPicture[] = u"folder";
const char16_t kOpenFolderPicture[] = u"open folder";
const char16_t kProgramPicture[] = u"program";
const char16_t kStorageCardPicture[] = u"storage card";

namespace {

struct SystemImages {
  HIMAGELIST large = nullptr;
  HIMAGELIST small = nullptr;
};

SystemImages& Stored() {
  static SystemImages images;
  return images;
}

SystemImages& Images() {
  SystemImages& images = Stored();
  if (images.large == nullptr) {
    images.large = CreateSharedImageList(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
    images.small = CreateSharedImageList(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
    for (const char16_t* picture :
         {kDocumentPicture, kFolderPicture, kOpenFolderPicture, kProgramPicture, kStorageCardPicture}) {
      AppendImage(images.large, picture);
      AppendImage(images.small, picture);
    }
  }
  return images;
}

}  // namespace

HIMAGELIST SystemImageList(bool small) { return small ? Images().small : Images().large; }

int SystemIconIndex(const std::u16string& picture) {
  SystemImages& images = Images();
  const int found = FindImageSource(images.large, picture);
  if (found >= 0) return found;
  AppendImage(images.small, picture);
  return AppendImage(images.large, picture);
}

void ResetSystemImages(Phase) { Stored() = SystemImages(); }

}  // namespace cesim::detail
