// SpinField
