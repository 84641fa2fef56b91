-- 在庫引当ストアドプロシージャ (T-SQL, SQL Server 2000)
-- 注文明細ごとに在庫を引き当て、結果表を返す。
SET NOCOUNT ON
GO

IF EXISTS (SELECT * FROM sysobjects WHERE id = OBJECT_ID(N'[dbo].[usp_AllocateStock]'))
	DROP PROCEDURE [dbo].[usp_AllocateStock]
GO

/*
 * 在庫の引当て
 * @OrderID : 注文番号
 * 戻り値 0 は成功、それ以外は失敗。
 */
CREATE PROCEDURE dbo.usp_AllocateStock
	@OrderID INT,
	@Operator NVARCHAR(40) = N'システム',
	@Allocated INT OUTPUT
AS
BEGIN
	DECLARE @ItemID INT, @Qty INT, @OnHand INT
	DECLARE @Message NVARCHAR(200)
	DECLARE @Rate DECIMAL(5, 2)

	SET @Allocated = 0
	SET @Rate = 1.5E+1

	DECLARE item_cursor CURSOR LOCAL FAST_FORWARD FOR
		SELECT d.ItemID, d.Quantity
		FROM [Order Details] AS d
		WHERE d.OrderID = @OrderID
		ORDER BY d.ItemID

	BEGIN TRANSACTION
	OPEN item_cursor
	FETCH NEXT FROM item_cursor INTO @ItemID, @Qty
	WHILE @@FETCH_STATUS = 0
	BEGIN
		SELECT @OnHand = s.OnHand
		FROM dbo.Stock s WITH (UPDLOCK)
		WHERE s.ItemID = @ItemID

		-- 在庫が足りなければ表に記録して次へ
		IF ISNULL(@OnHand, 0) < @Qty
		BEGIN
			SET @Message = N'在庫不足: 品目 ' + CAST(@ItemID AS NVARCHAR(10))
			INSERT INTO dbo.AllocationLog ("Order ID", ItemID, Note, LoggedAt, LoggedBy)
			VALUES (@OrderID, @ItemID, @Message, GETDATE(), @Operator)
		END
		ELSE
		BEGIN
			UPDATE dbo.Stock
			SET OnHand = OnHand - @Qty
			WHERE ItemID = @ItemID
			SET @Allocated = @Allocated + 1
		END

		FETCH NEXT FROM item_cursor INTO @ItemID, @Qty
	END
	CLOSE item_cursor
	DEALLOCATE item_cursor

	IF @@ERROR <> 0
	BEGIN
		ROLLBACK TRANSACTION
		RAISERROR (N'引当てに失敗しました (能力超過)', 16, 1)
		RETURN 1
	END
	COMMIT TRANSACTION

	SELECT [OrderID] = @OrderID, [件数] = @Allocated, 'it''s done' AS [Status],
		0x1F AS Flags, N'ソフト' AS Dept
	RETURN 0
END
GO

select top 10 * from dbo.Stock where OnHand < 5 order by OnHand
GO
