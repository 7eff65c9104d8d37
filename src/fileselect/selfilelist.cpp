// CSelFileList lands here.
